#include <windows.h>
#include <chrono>
#include <commctrl.h>
#include <cstring>
#include <functional>
#include <shlobj.h>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "app/findings_list.hpp"
#include "app/run_worker.hpp"
#include "app/win32/dialogs.hpp"
#include "app/win32/findings_window.hpp"
#include "app/win32/form1.hpp"
#include "app/win32/win32_dialogs.hpp"
#include "files/wide_text.hpp"
#include "run/runner.hpp"
#include "support/files.hpp"
#include "support/temp_folder.hpp"

using namespace sintegra;
using namespace sintegra::app::win32;

namespace {

const std::string kSamples = std::string(ORV_TEST_DATA) + "/samples/";
const std::wstring kAnalyseTitle = L"Sintegra ORV - 04/03/2013 - [Analisar Sintegra]";
const std::wstring kJoinTitle = L"Sintegra ORV - 04/03/2013 - [Junção de Período]";

// Answers the window's dialogs from lists the test fills, and records what the window said.
struct ScriptedDialogs : Dialogs {
    struct Message {
        std::wstring text;
        bool details; // offered, and asked for unless "Abrir pasta" is
    };
    std::vector<std::wstring> files; // the next choices; "" or none left is a cancel, "!" a failure
    std::vector<bool> answers;       // to the next questions; none left is "no"
    std::vector<Message> messages;
    std::vector<std::wstring> foldersOpened; // by "Abrir pasta", pressed whenever offered
    std::vector<app::FindingsList> findings; // shown
    std::wstring reportFile;                 // where "Salvar relatório..." saves, as CSV

    std::wstring chooseSintegraFile(HWND, const std::wstring&) override {
        const std::wstring file = next(files, {});
        return file == L"!" ? throw std::runtime_error("o diálogo falhou") : file;
    }
    app::MessageButton inform(HWND, const std::wstring& text, bool details, bool offerFolder) override {
        messages.push_back({text, details});
        if (offerFolder) {
            return app::MessageButton::Folder;
        }
        return details ? app::MessageButton::Details : app::MessageButton::Ok;
    }
    void showFindings(HWND, const app::FindingsList& list) override { findings.push_back(list); }
    std::wstring chooseReportFile(HWND, app::ReportFormat& format) override {
        format = app::ReportFormat::Csv;
        return reportFile;
    }
    void showInFolder(const std::wstring& file) override { foldersOpened.push_back(file); }
    bool confirm(HWND, const std::wstring&) override { return next(answers, false); }
    void withdrawQuestion() override {}

    template <typename T>
    static T next(std::vector<T>& list, T none) {
        if (list.empty()) {
            return none;
        }
        T value = list.front();
        list.erase(list.begin());
        return value;
    }
};

// Runs the window's messages, as its loop would, until done holds; false after 30 s without.
bool pumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
    return text;
}

// What the tip of a control holds, in the tooltip control of the control's window.
std::wstring tipOf(HWND control) {
    HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tips != nullptr && GetWindow(tips, GW_OWNER) != GetParent(control)) {
        tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    }
    std::wstring text(1024, L'\0');
    TTTOOLINFOW tip{};
    tip.cbSize = sizeof tip;
    tip.hwnd = GetParent(control);
    tip.uId = reinterpret_cast<UINT_PTR>(control);
    tip.lpszText = text.data();
    SendMessageW(tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tip));
    return text.c_str();
}

RECT clientRectOf(HWND control) {
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// What Explorer hands a window when a file is dropped on it at point.
HDROP dropOf(const std::wstring& file, POINT point) {
    const std::size_t names = (file.size() + 2) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = DROPFILES{sizeof(DROPFILES), point, FALSE, TRUE};
    std::memcpy(drop + 1, file.c_str(), (file.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class Form1Test : public ::testing::Test {
protected:
    Form1Test() { window.show(SW_SHOWNORMAL); }

    HWND item(ControlId id) { return window.item(id); }
    std::wstring text(ControlId id) { return textOf(item(id)); }
    void click(ControlId id) { SendMessageW(item(id), BM_CLICK, 0, 0); }
    std::wstring choose(ControlId button, const std::string& sample) {
        const std::wstring path = widen(user.write(sample, test::readFile(kSamples + sample)));
        dialogs.files = {path};
        click(button);
        return path;
    }
    std::vector<bool> secondRow() {
        return {IsWindowVisible(item(ControlId::Label2)) != 0,
                IsWindowVisible(item(ControlId::TxtFile1)) != 0,
                IsWindowVisible(item(ControlId::BtnLocalizar1)) != 0};
    }
    bool waitForMessages(std::size_t count) {
        return pumpUntil([&] { return dialogs.messages.size() >= count; });
    }
    bool idle() {
        return IsWindowEnabled(item(ControlId::BtnProc)) && IsWindowEnabled(item(ControlId::BtnLocalizar)) &&
               SendMessageW(item(ControlId::Prg), PBM_GETPOS, 0, 0) == 0 && text(ControlId::Prg).empty();
    }

    test::ProgramFolder folder;
    test::TempFolder user;
    Runner runner{folder.path()};
    ScriptedDialogs dialogs;
    Form1 window{runner, dialogs};
};

} // namespace

TEST_F(Form1Test, StartsInAnalyseModeAsDesigned) {
    EXPECT_EQ(textOf(window.handle()), kAnalyseTitle);
    EXPECT_EQ(SendMessageW(item(ControlId::OptAnalisarSintegra), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(secondRow(), std::vector<bool>(3, false));
    EXPECT_EQ(text(ControlId::TxTFile), L".");
    EXPECT_EQ(text(ControlId::TxtFile1), L".");
    EXPECT_EQ(text(ControlId::Label1), L"CAMINHO DO ARQUIVOS DO ORV® DOS");
    EXPECT_EQ(text(ControlId::FraOpcao), L"Opcao");

    const LONG_PTR style = GetWindowLongPtrW(window.handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(GetClassLongPtrW(window.handle(), GCLP_HICON), 0);
    RECT client;
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, 475);
    EXPECT_EQ(client.bottom, 279);
    // Twips of the design at 15 a pixel; the "..." button sits over the right end of its row.
    const RECT button = clientRectOf(item(ControlId::BtnLocalizar1));
    EXPECT_EQ(std::vector<LONG>({button.left, button.top, button.right, button.bottom}),
              std::vector<LONG>({436, 169, 463, 192}));

    EXPECT_EQ(GetFocus(), item(ControlId::BtnProc));
    HWND focus = GetFocus();
    for (const ControlId next : {ControlId::BtnClose, ControlId::BtnVerificar, ControlId::BtnLocalizar,
                                 ControlId::OptAnalisarSintegra, ControlId::BtnProc}) {
        focus = GetNextDlgTabItem(window.handle(), focus, FALSE);
        EXPECT_EQ(focus, item(next)) << static_cast<int>(next);
    }
}

TEST_F(Form1Test, FontsColoursAndPlacesFollowTheDesignAtEveryScale) {
    struct Case {
        ControlId id;
        const wchar_t* face;
        int height96;
        int height144;
        LONG weight;
        COLORREF text; // CLR_INVALID: the system's, for a push button
        COLORREF background;
    };
    const Case cases[] = {
        {ControlId::FraOpcao, L"Tahoma", -21, -32, FW_BOLD, RGB(0, 0, 0x80), GetSysColor(COLOR_BTNFACE)},
        {ControlId::OptJuntarSintegra, L"Tahoma", -21, -32, FW_BOLD, RGB(0, 0, 0x80),
         GetSysColor(COLOR_BTNFACE)},
        {ControlId::Label2, L"Tahoma", -11, -17, FW_BOLD, RGB(0xFF, 0xFF, 0), RGB(0, 0, 0xFF)},
        {ControlId::TxtFile1, L"Microsoft Sans Serif", -11, -17, FW_NORMAL, GetSysColor(COLOR_WINDOWTEXT),
         RGB(0xFF, 0xFF, 0xC0)},
        {ControlId::BtnClose, L"Microsoft Sans Serif", -11, -17, FW_BOLD, CLR_INVALID, CLR_INVALID},
    };
    const HDC dc = CreateCompatibleDC(nullptr);
    for (const UINT dpi : {96u, 144u}) {
        if (dpi != 96) {
            RECT suggested{0, 0, 1000, 1000};
            SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(c.id) << " at " << dpi);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item(c.id), WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            EXPECT_STREQ(font.lfFaceName, c.face);
            EXPECT_EQ(font.lfHeight, dpi == 96 ? c.height96 : c.height144);
            EXPECT_EQ(font.lfWeight, c.weight);
            if (c.text == CLR_INVALID) {
                continue;
            }
            SendMessageW(window.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(item(c.id)));
            EXPECT_EQ(GetTextColor(dc), c.text);
            EXPECT_EQ(GetBkColor(dc), c.background);
        }
    }
    DeleteDC(dc);
    // At 150%, ten twips a pixel, halves rounded up.
    const RECT button = clientRectOf(item(ControlId::BtnLocalizar1));
    EXPECT_EQ(std::vector<LONG>({button.left, button.top, button.right, button.bottom}),
              std::vector<LONG>({654, 254, 694, 289}));
    RECT client;
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(std::vector<LONG>({client.right, client.bottom}), std::vector<LONG>({713, 419}));
}

// A join, then an analysis: the mode's option shows or hides the second row on the way.
TEST_F(Form1Test, ARunLocksItsControlsAndEndsWithItsMessage) {
    struct Case {
        bool join;
        const char* first;
        const char* second;
        const char* expected; // what the output holds
    };
    const Case cases[] = {
        {true, "LuFelix_T2Ti_sintegra.txt", "htisistema_SISCOMX_sintegra.txt",
         "juntar-LuFelix-htisistema.txt"},
        {false, "htisistema_SISCOMX_sintegra.txt", nullptr, "htisistema_SISCOMX_sintegra.analisado.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        dialogs.messages.clear();
        click(c.join ? ControlId::OptJuntarSintegra : ControlId::OptAnalisarSintegra);
        EXPECT_EQ(textOf(window.handle()), c.join ? kJoinTitle : kAnalyseTitle);
        EXPECT_EQ(secondRow(), std::vector<bool>(3, c.join));
        const std::wstring first = choose(ControlId::BtnLocalizar, c.first);
        if (c.second != nullptr) {
            choose(ControlId::BtnLocalizar1, c.second);
        }
        click(ControlId::BtnProc);
        for (const ControlId id :
             {ControlId::BtnProc, ControlId::BtnLocalizar, ControlId::BtnLocalizar1, ControlId::BtnVerificar,
              ControlId::OptAnalisarSintegra, ControlId::OptJuntarSintegra}) {
            EXPECT_FALSE(IsWindowEnabled(item(id))) << static_cast<int>(id);
        }
        EXPECT_TRUE(IsWindowEnabled(item(ControlId::BtnClose)));

        ASSERT_TRUE(waitForMessages(1));
        const std::filesystem::path output = c.join ? folder.path() / "sintegra.txt" : narrow(first);
        EXPECT_EQ(dialogs.messages[0].text,
                  L"Analise Terminada do arquivo [" + output.wstring() + L"] finalizada !");
        ASSERT_TRUE(dialogs.messages[0].details);
        EXPECT_TRUE(c.join ? dialogs.findings.empty()
                           : dialogs.findings.back().counts().front().find("tipo 90") != std::string::npos);
        EXPECT_EQ(test::readFile(output), test::readFile(kSamples + "expected/" + c.expected));
        EXPECT_TRUE(idle());
        EXPECT_EQ(GetFocus(), item(ControlId::BtnProc));
        EXPECT_EQ(dialogs.foldersOpened, std::vector<std::wstring>(c.join, output.wstring()));
        dialogs.foldersOpened.clear();
    }
}

// "Verificar" ends in the findings window: its counts, its rows sorted by a heading and filtered by
// check, and "Salvar relatório..." as the dialog chose.
TEST_F(Form1Test, VerificarEndsInTheFindingsWindow) {
    const std::wstring file = choose(ControlId::BtnLocalizar, "htisistema_SISCOMX_sintegra.txt");
    click(ControlId::BtnVerificar);
    EXPECT_FALSE(IsWindowEnabled(item(ControlId::BtnVerificar)));
    ASSERT_TRUE(pumpUntil([&] { return !dialogs.findings.empty(); }));
    EXPECT_TRUE(idle() && IsWindowEnabled(item(ControlId::BtnVerificar)) && dialogs.messages.empty());
    const app::FindingsList& list = dialogs.findings.front();
    app::win32::FindingsWindow findings(list, dialogs, window.handle());
    EXPECT_EQ(textOf(findings.item(FindingsItem::Counts)).rfind(L"Verificação de ", 0), 0u);
    RECT frame;
    GetWindowRect(findings.handle(), &frame);
    EXPECT_LE(frame.bottom - frame.top, GetSystemMetrics(SM_CYMAXIMIZED));
    const HWND rows = findings.item(FindingsItem::List);
    EXPECT_EQ(ListView_GetItemCount(rows), static_cast<int>(list.size()));
    NMLISTVIEW heading{};
    heading.hdr = {rows, static_cast<UINT_PTR>(FindingsItem::List), LVN_COLUMNCLICK};
    SendMessageW(findings.handle(), WM_NOTIFY, heading.hdr.idFrom, reinterpret_cast<LPARAM>(&heading));
    SendMessageW(findings.handle(), WM_NOTIFY, heading.hdr.idFrom, reinterpret_cast<LPARAM>(&heading));
    wchar_t first[32] = L"";
    ListView_GetItemText(rows, 0, 0, first, 32);
    EXPECT_EQ(narrow(first),
              list.cell(list.shown(0, app::FindingColumn::Line, true).front(), app::FindingColumn::Line));
    SendMessageW(findings.item(FindingsItem::Filter), CB_SETCURSEL, 1, 0);
    SendMessageW(findings.handle(), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(FindingsItem::Filter), CBN_SELCHANGE), 0);
    EXPECT_EQ(ListView_GetItemCount(rows), static_cast<int>(list.shown(1).size()));
    dialogs.reportFile = widen(user.file("relatorio.csv"));
    SendMessageW(findings.item(FindingsItem::Save), BM_CLICK, 0, 0);
    EXPECT_EQ(test::readFile(user.file("relatorio.csv")), list.csvReport());
    EXPECT_EQ(test::readFile(narrow(file)), test::readFile(kSamples + "htisistema_SISCOMX_sintegra.txt"));
}

TEST_F(Form1Test, AFileDroppedOnAVisibleRowIsChosenForIt) {
    const std::filesystem::path path = user.path() / std::string(120, 'p') / L"março de 2013.txt";
    std::filesystem::create_directory(path.parent_path());
    test::writeFile(path, "10");
    const std::wstring file = path.wstring();
    const auto dropAt = [&](ControlId control) {
        const RECT area = clientRectOf(item(control));
        SendMessageW(window.handle(), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(dropOf(file, {area.left + 2, area.top + 2})), 0);
    };
    dropAt(ControlId::Label2); // hidden in analyse mode
    dropAt(ControlId::BtnProc);
    EXPECT_EQ(text(ControlId::TxTFile), L".");
    EXPECT_EQ(text(ControlId::TxtFile1), L".");
    click(ControlId::OptJuntarSintegra);
    dropAt(ControlId::Label2);
    // Left of the "...": the beginning, "…" and the whole name; all of it in the row's tip.
    EXPECT_TRUE(text(ControlId::TxtFile1).ends_with(L"p…\\março de 2013.txt"))
        << narrow(text(ControlId::TxtFile1));
    EXPECT_EQ(tipOf(item(ControlId::TxtFile1)), file);
    dropAt(ControlId::TxTFile);
    EXPECT_EQ(tipOf(item(ControlId::TxTFile)), file);
}

// A dialog that fails, a run whose thread the system will not start: each is told, and the window goes
// on as it was. Nothing crosses the window procedure.
TEST_F(Form1Test, WhatAMessageThrowsIsToldAndTheWindowGoesOn) {
    dialogs.files = {L"!"};
    click(ControlId::BtnLocalizar);
    choose(ControlId::BtnLocalizar, "htisistema_SISCOMX_sintegra.txt");
    const app::RefusedThreadStart refused;
    click(ControlId::BtnProc);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, L"Erro inesperado: o diálogo falhou. Nenhum arquivo foi alterado.");
    EXPECT_EQ(dialogs.messages[1].text.rfind(L"O sistema recusou um recurso", 0), 0u)
        << narrow(dialogs.messages[1].text);
    EXPECT_TRUE(idle());
}

TEST_F(Form1Test, ClosingDuringARunStopsItAndLeavesEveryFile) {
    click(ControlId::OptJuntarSintegra);
    const std::wstring first = choose(ControlId::BtnLocalizar, "htisistema_SISCOMX_sintegra.txt");
    choose(ControlId::BtnLocalizar1, "RooD7_ProjetoProgComercial_SINTEGRA.TXT");
    const app::HeldRunStart held;
    click(ControlId::BtnProc);
    dialogs.answers = {true};
    SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return !IsWindow(window.handle()); }));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(test::readFile(narrow(first)), test::readFile(kSamples + "htisistema_SISCOMX_sintegra.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "sintegra.txt"));
}

// The real task dialog: the end of a run can take the question back.
TEST(Win32DialogsTest, AQuestionTakenBackAnswersNo) {
    static Win32Dialogs* dialogs = nullptr;
    Win32Dialogs real;
    dialogs = &real;
    const UINT_PTR timer =
        SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { dialogs->withdrawQuestion(); });
    EXPECT_FALSE(real.confirm(nullptr, L"Deseja interromper e sair?"));
    KillTimer(nullptr, timer);
}
