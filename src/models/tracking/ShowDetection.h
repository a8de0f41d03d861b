#pragma once

#include <QStringList>
#include <cstdint>

// Recognising a presentation program and a running slide show from window titles.
namespace showdetection {

struct Found {
    bool slideShow = false;       // a running slide show
    bool presentationApp = false; // the presentation program's own (editing) window
    QString showTitle;            // the title of the top-most running show, empty without one
};

// Substrings, compared ignoring case anywhere in a title, that mark a running slide show.
const QStringList& slideShowMarkers();
// Substrings that mark the presentation program's editing window.
const QStringList& presentationAppMarkers();

// Scans the first `count` titles (all of them when count is negative).
Found scanTitles(const QStringList& titles, qsizetype count = -1);

// Whether the main window may give way to the tool strip: the countdown runs, and no presentation
// program sits open without its show.
bool mayHide(bool counting, const Found& found);

} // namespace showdetection
