#pragma once

class QCoreApplication;

namespace sintegra::app {

// Qt's own texts (dialog buttons, the open-file dialog) in Brazilian Portuguese, when installed.
void installPortugueseQtTexts(QCoreApplication& application);

} // namespace sintegra::app
