#include "dialogs/Fonts.h"

#include <QString>
#include <QStringList>

namespace vexa {

namespace {

void RegisterSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

QFont::StyleHint HintFor(const QString& family)
{
    return family.contains(QStringLiteral("Times"), Qt::CaseInsensitive) ? QFont::Serif : QFont::SansSerif;
}

}  // namespace

QFont VexaFont(const char* family, int pixelSize, bool bold, bool italic)
{
    static const bool registered = (RegisterSubstitutes(), true);
    (void)registered;

    const QString name = QString::fromLatin1(family);
    QFont font(name);
    font.setStyleHint(HintFor(name));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace vexa
