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
    bool toldNotKept_ = false;
};
