#include "app/VexaApplication.h"

#include <exception>

#include <QMessageBox>

#include "core/Session.h"
#include "core/VexaError.h"

namespace vexa {

void ShowErrorBox(QWidget* parent, const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, QString::fromStdString(ErrorBoxText(message)),
                    QMessageBox::Ok, parent);
    box.exec();
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
