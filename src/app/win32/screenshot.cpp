#include "app/win32/screenshot.hpp"

#include <windows.h>
#include <chrono>
#include <optional>
#include <shellapi.h>
#include <vector>
#include <wincodec.h>
#include <wrl/client.h>

#include "app/findings_list.hpp"
#include "app/win32/findings_window.hpp"
#include "app/win32/form1.hpp"
#include "files/wide_text.hpp"

using Microsoft::WRL::ComPtr;

namespace sintegra::app::win32 {
namespace {

void pumpMessagesFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool savePng(HBITMAP bitmap, const std::wstring& file) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmap> image;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&factory))) &&
           SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &image)) &&
           SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->WriteSource(image.Get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

bool saveWindow(HWND window, const std::wstring& file) {
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const HDC screen = GetDC(nullptr);
    const HDC copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY | CAPTUREBLT);
    SelectObject(copy, old);
    const bool saved = savePng(bitmap, file);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace

std::optional<ScreenshotRequest> screenshotRequest() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::vector<std::wstring> words(arguments, arguments + count);
    LocalFree(arguments);
    std::optional<ScreenshotRequest> request;
    for (std::size_t index = 1; index + 1 < words.size(); ++index) {
        if (words[index] == L"--captura-de-tela") {
            request = ScreenshotRequest{words[index + 1], false, {}};
        }
    }
    for (std::size_t index = 1; request && index + 1 < words.size(); ++index) {
        request->joinMode = request->joinMode || (words[index] == L"--modo" && words[index + 1] == L"juntar");
        if (words[index] == L"--verificar") {
            request->verified = words[index + 1];
        }
    }
    return request;
}

int takeScreenshot(Form1& window, Dialogs& dialogs, const ScreenshotRequest& request) {
    window.show(SW_SHOWNORMAL);
    if (request.joinMode) {
        SendMessageW(window.item(ControlId::OptJuntarSintegra), BM_CLICK, 0, 0);
    }
    std::optional<FindingsList> findings;
    std::optional<FindingsWindow> details;
    if (!request.verified.empty()) {
        findings = findingsOfFile(narrow(request.verified));
        details.emplace(*findings, dialogs, window.handle());
    }
    const HWND shown = details ? details->handle() : window.handle();
    RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    pumpMessagesFor(std::chrono::milliseconds(1500));
    return saveWindow(shown, request.file) ? 0 : 1;
}

} // namespace sintegra::app::win32
