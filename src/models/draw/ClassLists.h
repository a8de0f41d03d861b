#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// Which class list the name-list draw takes, kept in the user's settings: the data folder's own list
// unless the teacher chose another, and the last lists chosen, for choosing again. All of it is off
// until the teacher turns the class lists on; the draw then takes the folder's list as ever.
class ClassLists {
public:
    static constexpr int kRecentCount = 5;

    explicit ClassLists(SettingsStore& settings) : settings_(settings) {}

    // Whether the window offers the class lists (换名单…, 缺席, 撤销, 抽签记录).
    bool isEnabled() const;
    // Whether "少抽过的优先" weights the draw.
    bool isFairDraw() const;
    void setFairDraw(bool on);

    // The list chosen; empty for the data folder's own list (or when the class lists are off).
    QString current() const;
    // The lists chosen last, the latest first, at most kRecentCount, each once.
    QStringList recent() const;
    // Makes the list the current one and the first of the recent ones.
    void choose(const QString& path);
    // Back to the data folder's own list.
    void chooseFolderList();

    // What the window's title calls the list: its file name without the extension.
    static QString className(const QString& path);

private:
    SettingsStore& settings_;
};
