// Program entry of the game: the application title, the look shared by all
// windows, the card library, then the main window and the event loop.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProxyStyle>

#include "app/Environment.h"
#include "app/TForm1.h"
#include "app/VexaError.h"
#include "cards/CardLibrary.h"

namespace {

// Hints show after 200 ms; scroll bars are as thick as the table model
// assumes when it decides whether a pile needs them.
class VexaStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay) return 200;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarExtent) return 16;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vexa Solitaire");
    QApplication::setApplicationDisplayName("Vexa Solitaire");
    QApplication::setStyle(new VexaStyle);

    // The card library is looked for only beside the program and in its
    // install library folder, never in the current (game) folder.
    const QString appDir = QApplication::applicationDirPath();
    vexa::CardLibrary library({appDir, QDir(appDir).absoluteFilePath("../lib/vexasolit")});
    vexa::SystemClock clock;
    std::unique_ptr<vexa::TForm1> form;
    try {
        form = std::make_unique<vexa::TForm1>(library, clock);
    } catch (const vexa::VexaError& error) {
        QMessageBox::critical(nullptr, "Vexa Solitaire", QString::fromStdString(error.what()) + ".");
        return 1;
    }
    form->show();
    form->Render();
    return app.exec();
}
