// Building the search indexes of the lists ahead of the first search on them.
//
// The first run on a list builds that list's index in one piece, during which the window
// cannot process events; on a list of a million records that takes about a second. Once the
// window is up and idle, the indexes of the lists the user can search are built, one list per
// turn of the event loop, so that every later run keeps the window responsive.
#include <QTimer>

#include "search/searchengine.h"
#include "ui/mainwindow.h"

namespace vex {

void MainWindow::ScheduleIndexWarmUp() {
    QTimer::singleShot(0, this, [this] { WarmNextIndex(); });
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
        warmed_.append(list->constData());
        engine_->indexFor(*list);
        ScheduleIndexWarmUp();  // the next list on the next turn
        return;
    }
}

}  // namespace vex
