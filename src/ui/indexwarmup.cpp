// Building the search indexes of the lists ahead of the first search on them.
//
// Once the window is up and idle, the indexes of the lists the user can search are built in
// slices of about 8 ms, one slice per turn of the event loop, so that the window goes on
// processing events meanwhile; on a list of a million records the whole build takes about a
// second. A run started before the warm-up is done builds the rest of its list's index
// itself, also in slices.
//
// When every index is built, the window's property "searchIndexesWarm" becomes true (for
// measurements and tests).
#include <QTimer>

#include <chrono>

#include "search/searchengine.h"
#include "ui/mainwindow.h"

namespace vex {

namespace {

constexpr std::chrono::nanoseconds kWarmUpSlice = std::chrono::milliseconds(8);
constexpr int kWarmUpStartMs = 50;

}  // namespace

void MainWindow::ScheduleIndexWarmUp() {
    setProperty("searchIndexesWarm", false);
    // A moment after the show, so that laying out and painting the window come first.
    QTimer::singleShot(kWarmUpStartMs, this, [this] { WarmNextIndex(); });
}

void MainWindow::WarmNextIndex() {
    const QStringList* lists[] = {
        &data_.current,         &data_.extended,       &data_.shortList,      &data_.file1.extended,
        &data_.file1.shortList, &data_.file2.extended, &data_.file2.shortList};
    QList<const QString*> seen;
    for (const QStringList* list : lists) {
        if (list->isEmpty() || seen.contains(list->constData())) {
            continue;
        }
        seen.append(list->constData());
        if (warmed_.contains(list->constData())) {
            continue;
        }
        if (state_.runInProgress) {
            // The run builds what it needs; look again once it is over.
            QTimer::singleShot(100, this, [this] { WarmNextIndex(); });
            return;
        }
        if (engine_->buildIndexStep(*list, kWarmUpSlice)) {
            warmed_.append(list->constData());
        }
        QTimer::singleShot(0, this, [this] { WarmNextIndex(); });  // the next slice, next turn
        return;
    }
    setProperty("searchIndexesWarm", true);
}

}  // namespace vex
