#pragma once

#include <QObject>
#include <QString>
#include <optional>

class SettingsStore;

// Where the time-up cover is shown, if at all.
enum class CoverScreens { None, ShowScreen, EveryScreen };

// The options beyond the classroom timer as shipped, each kept under its key in the settings file so
// that a school can preset them. Every one is off by default: without a settings file the program
// behaves as it always did. A value the file holds that means nothing here counts as the default.
class ProgramOptions : public QObject {
    Q_OBJECT
public:
    static inline const QString kOvertimeKey = QStringLiteral("countdown/overtime");
    static inline const QString kPaceColoursKey = QStringLiteral("countdown/paceColours");
    static inline const QString kRememberPresetsKey = QStringLiteral("countdown/rememberPresets");
    static inline const QString kCoverScreensKey = QStringLiteral("timeUp/coverScreens");
    static inline const QString kVolumeKey = QStringLiteral("cues/volume");
    static inline const QString kMutedKey = QStringLiteral("cues/muted");
    static inline const QString kClassListsKey = QStringLiteral("nameList/classLists");
    static inline const QString kRemoteKey = QStringLiteral("remote/enabled");
    static constexpr int kDefaultVolume = 100;

    explicit ProgramOptions(SettingsStore& store, QObject* parent = nullptr);

    // After 00 : 00 the count goes on upward until it is stopped.
    bool overtime() const;
    // The digits are coloured by the pace of the count.
    bool paceColours() const;
    // The presets keep the times last started with them between runs.
    bool rememberPresets() const;
    // At 00 : 00 a cover says the time is up on the show's screen, or on every screen.
    CoverScreens coverScreens() const;
    // The cues' loudness, 0 to 100 per cent of the files'; muted plays none.
    int volume() const;
    bool muted() const;
    // The name-list draw offers several class lists, absences, undo and the history.
    bool classLists() const;
    // The phone remote is on from the start.
    bool remoteAtStart() const;

    // Each setter keeps the value in the settings file and tells the program (changed()) when it
    // differs. False when the file could not be written (the value holds for this run all the same).
    bool setOvertime(bool on);
    bool setPaceColours(bool on);
    bool setRememberPresets(bool on);
    bool setCoverScreens(CoverScreens screens);
    bool setVolume(int percent);
    bool setMuted(bool on);
    bool setClassLists(bool on);
    bool setRemoteAtStart(bool on);

    // The texts the settings file holds for each value.
    static QString coverScreensText(CoverScreens screens);
    static std::optional<CoverScreens> parseCoverScreens(const QString& text);
    static std::optional<bool> parseSwitch(const QString& text);
    static std::optional<int> parseVolume(const QString& text);

signals:
    void changed();

private:
    bool flag(const QString& key) const;
    bool store(const QString& key, const QString& text);

    SettingsStore& store_;
};
