#pragma once

#include "platform/CatalogueText.h"

#include <QWidget>

class Dialogs;
class ProgramOptions;
class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;
class QVBoxLayout;

// The settings window, "设置": the options beyond the timer as shipped, each with a line that says
// what it does. A change takes effect at once and is kept in the settings file; there is nothing to
// confirm.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static inline const CatalogueText kTitle{"SettingsWindow", QT_TRANSLATE_NOOP("SettingsWindow", "设置")};
    static inline const CatalogueText kNotKept{
        "SettingsWindow",
        QT_TRANSLATE_NOOP("SettingsWindow", "设置无法保存到设置文件，只在本次运行中有效。")};

    SettingsWindow(ProgramOptions& options, Dialogs& dialogs, QWidget* parent = nullptr);

    QCheckBox* overtimeBox() const { return overtime_; }
    QCheckBox* paceColoursBox() const { return paceColours_; }
    QCheckBox* rememberPresetsBox() const { return rememberPresets_; }
    QComboBox* coverScreensBox() const { return coverScreens_; }
    QSpinBox* volumeBox() const { return volume_; }
    QCheckBox* mutedBox() const { return muted_; }
    // Sized so that every explanation shows whole on a screen of that size: wider where the screen is
    // too short for the lines wrapped at the window's natural width.
    void fitInto(const QSize& screen);

    QCheckBox* classListsBox() const { return classLists_; }
    QCheckBox* remoteBox() const { return remote_; }

signals:
    // The teacher turned the phone remote on or off here: it follows at once, not only at the next start.
    void remoteSwitched(bool on);

private:
    QCheckBox* addSwitch(QVBoxLayout* layout, const QString& name, const QString& text,
                         const QString& explanation, bool on);
    QLabel* addExplanation(QVBoxLayout* layout, const QString& text);
    // A value that could not be written to the file is said once per window.
    void kept(bool written);

    ProgramOptions& options_;
    Dialogs& dialogs_;
    QCheckBox* overtime_ = nullptr;
    QCheckBox* paceColours_ = nullptr;
    QCheckBox* rememberPresets_ = nullptr;
    QComboBox* coverScreens_ = nullptr;
    QSlider* volumeSlider_ = nullptr;
    QSpinBox* volume_ = nullptr;
    QCheckBox* muted_ = nullptr;
    QCheckBox* classLists_ = nullptr;
    QCheckBox* remote_ = nullptr;
    bool toldNotKept_ = false;
};
