// What starts a search in the window: the Search button and the two option boxes; and the
// normalisation every starter goes through.
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>

#include "base/dialogs.h"
#include "base/textutil.h"
#include "desktop/captions.h"
#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchengine.h"
#include "search/searchmessages.h"
#include "ui/mainwindow.h"
#include "ui/searchrunner.h"

namespace vex {

namespace {

bool HasFreeTextMark(const QString& searchInput) {
    return searchInput.contains(QLatin1Char('*'));
}

}  // namespace

bool MainWindow::NormalizeSearchInput() {
    NormalizeInput input;
    input.searchInput = SearchInput();
    input.options = state_.options;
    // Every normalisation takes the comments option from its box.
    input.options.comments = ui_.chkSearchOnComments->isChecked();
    input.primaryInUse = data().isPrimaryInUse();
    input.entryAutoDPrefix = program_.settings.entryAutoDPrefix;
    input.locale = QLocale::system();
    const NormalizeOutcome outcome = NormalizeSearchString(input);
    state_.options.comments = input.options.comments;
    lists_.keepSearchInput(outcome.searchInput);
    if (outcome.operatorCount) {
        state_.operatorCount = *outcome.operatorCount;
    }
    if (outcome.message) {
        dialogs_.show(*outcome.message);
    }
    return outcome.accepted;
}

MainWindow::SearchStart MainWindow::PrepareSearch(bool fromFreeTextBox) {
    if (!NormalizeSearchInput()) {
        ShowAppliedSearchString(RejectedSearchStringText());
        return SearchStart::Rejected;
    }
    // A "*" in the string asks for free text already; with the option on too, the user is
    // asked whether to go on.
    if (HasFreeTextMark(SearchInput()) && state_.options.freeText &&
        dialogs_.show(FreeTextWarning(SearchInput(), fromFreeTextBox)) == ButtonCancel) {
        return SearchStart::Cancelled;
    }
    return SearchStart::Go;
}

void MainWindow::RerunSearch() {
    if (!NormalizeSearchInput() || RunSearch() == RunStatus::Rejected) {
        ShowAppliedSearchString(RejectedSearchStringText());
    }
}

void MainWindow::btnSearchClick() {
    if (search_->running()) {
        return;
    }
    state_.gridFollow = true;
    const std::optional<QString> typed =
        dialogs_.inputText(kApplicationTitle, SearchPromptText(), SearchInput());
    if (!typed) {
        return;
    }
    lists_.keepSearchInput(trimmed32(*typed));
    if (SearchInput().isEmpty()) {
        ShowAppliedSearchString(EmptySearchStringText());
        dialogs_.show(EmptySearchStringWarning());
        return;
    }
    const SearchStart start = PrepareSearch(false);
    if (start == SearchStart::Cancelled) {
        ShowEscLabel(EscLabelState::Aborted);
    }
    if (start != SearchStart::Go) {
        return;
    }
    const RunStatus status = RunSearch();
    if (status == RunStatus::Rejected) {
        ShowAppliedSearchString(RejectedSearchStringText());
        ShowEscLabel(EscLabelState::Hidden);
        return;
    }
    // An aborted run (ESC or the window closing) says nothing about matches.
    if (status != RunStatus::Aborted && results_->count() == 0) {
        dialogs_.show(NoMatchMessage(SearchInput(), state_.options, state_.operatorCount));
    }
}

bool MainWindow::TakeOptionBox(const OptionBox& option) {
    QCheckBox* box = ui_.*option.box;
    bool& value = state_.options.*option.option;
    if (search_->running()) {
        // A run is going on (the run disables the boxes; this is a click that was under way
        // already): the box keeps the state the run searches with. The program sets a box
        // with its signals blocked, so that its handler does not run again.
        const QSignalBlocker quiet(box);
        box->setChecked(value);
        return false;
    }
    state_.gridFollow = false;
    value = box->isChecked();
    return state_.tableOpen;
}

void MainWindow::chkFreeTextSearchClick() {
    const OptionBox freeText{&WindowWidgets::chkFreeTextSearch, &SearchOptions::freeText};
    if (!TakeOptionBox(freeText)) {
        return;
    }
    const SearchStart start = PrepareSearch(true);
    if (start == SearchStart::Cancelled) {
        state_.options.freeText = false;
        ui_.lblSearchESC->show();
        const QSignalBlocker quiet(ui_.chkFreeTextSearch);
        ui_.chkFreeTextSearch->setChecked(false);
    }
    if (start != SearchStart::Go) {
        return;
    }
    if (RunSearch() == RunStatus::Rejected) {
        ShowAppliedSearchString(RejectedSearchStringText());
    }
}

// The comments box, and any box but the free-text one: the option takes the box's state and
// the search runs again.
void MainWindow::OptionBoxClick(const OptionBox& box) {
    if (box.option == &SearchOptions::freeText) {
        chkFreeTextSearchClick();
    } else if (TakeOptionBox(box)) {
        RerunSearch();
    }
}

}  // namespace vex
