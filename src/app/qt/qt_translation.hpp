#pragma once

class QCoreApplication;

namespace sintegra::app {

// Qt's own texts, dates and numbers (dialog buttons, the open-file dialog) in Brazilian Portuguese,
// whatever the system's language; Qt's translations are used when they are installed.
void installPortugueseQtTexts(QCoreApplication& application);

} // namespace sintegra::app
