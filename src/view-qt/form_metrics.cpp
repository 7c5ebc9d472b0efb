#include "view-qt/form_metrics.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace tarnwick::qtview {

QRect TwipsRect(const form::TwipsRect& twips, double dotsPerInch) {
    const form::PixelRect pixels = TwipsToPixels(twips, dotsPerInch);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

QRect TwipsRect(int left, int top, int width, int height, double dotsPerInch) {
    return TwipsRect(form::TwipsRect{left, top, width, height}, dotsPerInch);
}

double DotsPerInch(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

QString CaptionFamily() {
    // SimSun under its English and Chinese names first, then the common Chinese faces of Linux
    // desktops, in the order a user would least notice the difference.
    const QStringList preferred = {
        QStringLiteral("SimSun"),
        QStringLiteral("宋体"),
        QStringLiteral("NSimSun"),
        QStringLiteral("新宋体"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Droid Sans Fallback"),
    };
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QString& family : preferred) {
        if (chinese.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    if (!chinese.isEmpty()) {
        return chinese.first();
    }
    return preferred.first();  // none installed: the font system's own fallback is all we have
}

QFont CaptionFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor ColourOf(const form::Colour& colour, const QPalette& palette, QPalette::ColorRole role) {
    switch (colour.source) {
        case form::Colour::Source::Rgb:
            return {colour.red, colour.green, colour.blue};
        case form::Colour::Source::Highlight:
            return palette.color(QPalette::Highlight);
        case form::Colour::Source::System:
            break;
    }
    return palette.color(role);
}

}  // namespace tarnwick::qtview
