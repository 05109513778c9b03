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

class CardLibrary;

// The text of the box shown when the main window cannot be built at start-up:
// the error box's full-stop rule, and a full stop always when the card
// library could not be loaded at all.
std::string StartupErrorText(const std::string& message, const CardLibrary& library);

class VexaApplication : public QApplication {
public:
    VexaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vexa
