#include "app/VexaApplication.h"

#include <exception>

#include <QMessageBox>

#include "cards/CardLibrary.h"
#include "core/Session.h"
#include "core/VexaError.h"

namespace vexa {

void ShowErrorBox(QWidget* parent, const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, QString::fromStdString(ErrorBoxText(message)),
                    QMessageBox::Ok, parent);
    box.exec();
}

std::string StartupErrorText(const std::string& message, const CardLibrary& library)
{
    std::string text = ErrorBoxText(message);
    // The library's "Unable to load ... " ends in a blank, which the rule
    // leaves alone; that sentence alone gets its full stop. Every other
    // error keeps the rule.
    if (!library.IsOpen() && !text.empty() && text.back() != '.') text += '.';
    return text;
}

VexaApplication::VexaApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(ApplicationTitle);
}

bool VexaApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(activeWindow(), error.what());
    }
    return false;
}

}  // namespace vexa
