#include "ui/WindowKind.h"

QString windowObjectName(WindowKind kind)
{
    switch (kind) {
    case WindowKind::Main:
        return QStringLiteral("Form1");
    case WindowKind::DrawLauncher:
        return QStringLiteral("Form2");
    case WindowKind::ToolStrip:
        return QStringLiteral("Form3");
    case WindowKind::NameListDraw:
        return QStringLiteral("Form4");
    case WindowKind::SlideDraw:
        return QStringLiteral("Form5");
    case WindowKind::EnlargedCountdown:
        return QStringLiteral("Form6");
    case WindowKind::SequenceDraw:
        return QStringLiteral("Form7");
    }
    return {};
}

QString windowRoleName(WindowKind kind)
{
    switch (kind) {
    case WindowKind::Main:
        return QStringLiteral("main");
    case WindowKind::DrawLauncher:
        return QStringLiteral("draw-launcher");
    case WindowKind::ToolStrip:
        return QStringLiteral("tool-strip");
    case WindowKind::NameListDraw:
        return QStringLiteral("name-list-draw");
    case WindowKind::SlideDraw:
        return QStringLiteral("slide-draw");
    case WindowKind::EnlargedCountdown:
        return QStringLiteral("enlarged-countdown");
    case WindowKind::SequenceDraw:
        return QStringLiteral("sequence-draw");
    }
    return {};
}
