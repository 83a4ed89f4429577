#include "ui/listviews.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "base/columns.h"
#include "base/dialogs.h"
#include "data/record.h"
#include "desktop/captions.h"
#include "ui/statustexts.h"
#include "ui/windowwidgets.h"

namespace vex {

namespace {

// The index of the first item that begins with the code text; 0 when none does (an empty code
// text matches nothing).
int IndexOfCode(const QStringList& list, const QString& code) {
    if (code.isEmpty()) {
        return 0;
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).startsWith(code)) {
            return int(i);
        }
    }
    return 0;
}

}  // namespace

ListViews::ListViews(const WindowWidgets& ui, Dialogs& dialogs) : ui_(ui), dialogs_(dialogs) {}

void ListViews::remember(const ListMemory& list1, const ListMemory& list2) {
    list1_ = list1;
    list2_ = list2;
}

void ListViews::use(DataState data) {
    data_ = std::move(data);
}

QList<const QStringList*> ListViews::searchableLists() const {
    return {&data_.current,        &data_.extended,        &data_.shortList,
            &data_.file1.extended, &data_.file1.shortList, &data_.file2.extended,
            &data_.file2.shortList};
}

// The list in view, the list button's caption for the way back, the picture of the list, the
// list's status panel, and the short-list box (it tells a record's flag only in the extended
// list).
void ListViews::setUp(ListView view) {
    const bool extended = view == ListView::Extended;
    data_.current = extended ? data_.extended : data_.shortList;
    SetButtonCaption(ui_.btnListSelect,
                     extended ? QStringLiteral("&Kort/Udvidet") : QStringLiteral("Kort/&Udvidet"));
    ui_.imgShortList->setVisible(!extended);
    ui_.imgExtendedList->setVisible(extended);
    SetStatusPanelText(ui_, StatusPanel::ListSelection, ListPanelText(extended));
    ui_.chkKorteListe->setVisible(extended);
}

void ListViews::showSourceFile() {
    SetStatusPanelText(ui_, StatusPanel::SourceFile,
                       SourceFilePanelText(data_.currentDataFile, data_.info.releaseDate));
}

void ListViews::keepRecordWithinList() {
    ListMemory& memory = memoryInUse();
    if (memory.indexPointer < 0 || memory.indexPointer >= data_.current.size()) {
        memory.indexPointer = 0;
    }
}

void ListViews::setUpFirstView() {
    setUp(view() != ListView::Extended && !data_.shortList.isEmpty() ? ListView::Short
                                                                     : ListView::Extended);
    showSourceFile();
    keepRecordWithinList();
}

bool ListViews::toggle() {
    ListMemory& memory = memoryInUse();
    const int index = qMax(memory.indexPointer, 0);
    QString code;
    if (index < data_.current.size()) {
        const QString& line = data_.current.at(index);
        const qsizetype tab = line.indexOf(kFieldSeparator);
        code = tab >= 0 ? line.left(tab) : QString();
    }
    if (data_.shortList.isEmpty()) {
        BuildShortList(data_.extended, data_.shortList);
    }
    if (data_.shortList.isEmpty()) {
        dialogs_.show(MessageKind::Information, ButtonOk,
                      {QString(), QStringLiteral("Ingen markeringer for ") + kShortListName +
                                      QStringLiteral(" udtræk.")});
        return false;
    }
    memory.extendedView =
        memory.extendedView == ListView::Extended ? ListView::Short : ListView::Extended;
    setUp(memory.extendedView);
    memory.indexPointer = IndexOfCode(data_.current, code);
    return true;
}

void ListViews::switchFile() {
    MakeFileCurrent(data_,
                    data_.isPrimaryInUse() ? DataFileRole::Secondary : DataFileRole::Primary);
    ListMemory& entering = memoryInUse();
    if (data_.shortList.isEmpty()) {
        entering.extendedView = ListView::Extended;
    }
    setUp(entering.extendedView);
    keepRecordWithinList();
    showSourceFile();
}

}  // namespace vex
