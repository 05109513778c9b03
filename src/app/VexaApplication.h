// The application object, with the top-level error handler: an error that
// escapes any event handler is shown in the error box and the event loop
// goes on.
#pragma once

#include <string>

#include <QApplication>

namespace vexa {

// The error box: error icon, the application title, the message with the
// full-stop rule applied, and an OK button.
void ShowErrorBox(QWidget* parent, const std::string& message);

class VexaApplication : public QApplication {
public:
    VexaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vexa
