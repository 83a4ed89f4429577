#include "ui/listviews.h"

#include "base/columns.h"
#include "data/record.h"
#include "ui/statustexts.h"

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

Message NoShortListMessage() {
    return Message{MessageKind::Information,
                   ButtonOk,
                   {QString(), QStringLiteral("Ingen markeringer for ") + kShortListName +
                                   QStringLiteral(" udtræk.")}};
}

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

ListViewShown ListViews::setUp(ListView view) {
    const bool extended = view == ListView::Extended;
    data_.current = extended ? data_.extended : data_.shortList;
    ListViewShown shown;
    shown.listButtonCaption =
        extended ? QStringLiteral("&Kort/Udvidet") : QStringLiteral("Kort/&Udvidet");
    shown.shortListPicture = !extended;
    shown.extendedListPicture = extended;
    shown.shortListBox = extended;
    shown.listPanel = ListPanelText(extended);
    return shown;
}

QString ListViews::sourceFilePanel() const {
    return SourceFilePanelText(data_.currentDataFile, data_.info.releaseDate);
}

void ListViews::keepRecordWithinList() {
    ListMemory& memory = memoryInUse();
    if (memory.indexPointer < 0 || memory.indexPointer >= data_.current.size()) {
        memory.indexPointer = 0;
    }
}

ListViewShown ListViews::setUpFirstView() {
    ListViewShown shown =
        setUp(view() != ListView::Extended && !data_.shortList.isEmpty() ? ListView::Short
                                                                         : ListView::Extended);
    shown.sourceFilePanel = sourceFilePanel();
    keepRecordWithinList();
    return shown;
}

std::optional<ListViewShown> ListViews::toggle() {
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
        return std::nullopt;
    }
    memory.extendedView =
        memory.extendedView == ListView::Extended ? ListView::Short : ListView::Extended;
    const ListViewShown shown = setUp(memory.extendedView);
    memory.indexPointer = IndexOfCode(data_.current, code);
    return shown;
}

ListViewShown ListViews::switchFile() {
    MakeFileCurrent(data_,
                    data_.isPrimaryInUse() ? DataFileRole::Secondary : DataFileRole::Primary);
    ListMemory& entering = memoryInUse();
    if (data_.shortList.isEmpty()) {
        entering.extendedView = ListView::Extended;
    }
    ListViewShown shown = setUp(entering.extendedView);
    shown.sourceFilePanel = sourceFilePanel();
    keepRecordWithinList();
    return shown;
}

}  // namespace vex
