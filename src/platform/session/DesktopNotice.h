#pragma once

#include "platform/CatalogueText.h"
#include "platform/ProgramNoticeTitle.h"
#include "platform/session/DesktopSession.h"

#include <QString>

class Dialogs;
class SettingsFile;
class QWidget;

// The notice, at the first start on a kind of desktop where something cannot work, of what is
// missing and the way around it. The user's settings remember that it was shown, once per kind.
class DesktopNotice {
public:
    static inline const CatalogueText& kTitle = kProgramNoticeTitle;

    // The notice for these features; empty when everything works.
    static QString text(const SessionFeatures& features);

    explicit DesktopNotice(SettingsFile& settings) : settings_(settings) {}

    // Shows the notice unless this kind of desktop lacks nothing or the user has seen it; returns
    // whether it was shown. It counts as seen once the user has closed it.
    bool showOnce(Dialogs& dialogs, QWidget* owner, SessionKind kind);
    // The same, with what this desktop was found to offer beyond its kind (F9/F11 bound by the
    // desktop's portal).
    bool showOnce(Dialogs& dialogs, QWidget* owner, SessionKind kind, const SessionFeatures& features);

private:
    SettingsFile& settings_;
};
