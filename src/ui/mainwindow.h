#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "config/programstate.h"
#include "data/loading.h"
#include "desktop/scale.h"
#include "ui/listviews.h"
#include "ui/windowwidgets.h"

class QCheckBox;
class QKeyEvent;

namespace vex {

class Dialogs;
class ResultTable;
class SearchRunner;
enum class RunStatus;
enum class EscLabelState;
class UserStore;

// The window's caption.
inline const QString kWindowCaption = QStringLiteral(" Vex Diagnoseliste-program");

// State of the main window that lives as long as the window.
struct WindowState {
    // The search. The search string, the record shown and the time of the last run (-1 for
    // an interrupted one) are what the file in use remembers (ListViews::inUse()).
    int operatorCount = -1;  // logical operators found by the last normalisation

    SearchOptions options;  // as the option boxes set them

    // The record display and the result grid.
    bool gridFollow = false;            // the record display follows the grid's current row
    bool resultsFound = false;          // the last run left rows in the result table
    bool currentShortListFlag = false;  // short-list flag of the shown record
    bool tableOpen = false;             // the result table exists (end of start-up)
    QString diagnosisText;  // the shown record's diagnosis text, whole (the field may cut it)

    // The first show.
    bool shown = false;            // the window has been shown once
    bool fittedWithFrame = false;  // fitted onto the screen with its frame known
};

// The one main window: record display, search and navigation buttons, status bar, result
// grid and the bar below it. The event handlers and operations keep the names of the
// window's design; their bodies live in files by topic (record display, search starters and
// run, list buttons, keys, clipboard, first show). Two parts do the work that is not the
// window's own: the search runner (engine, ESC pause, pacing) and the list views (the data
// lists, the list in view and the file switch).
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(ProgramState& program, Dialogs& dialogs, UserStore* userStore,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // What the window holds and shows. The widgets are the window's own, found also by their
    // design names: tests and the start-up may read them and drive them as a user would (a
    // click, a key), but only the window and its key router change them. The rest is
    // read-only; the window changes itself only through its handlers and operations.
    const WindowWidgets& ui() const { return ui_; }
    const WindowState& state() const { return state_; }
    const DataState& data() const { return lists_.data(); }
    const ListViews& listViews() const { return lists_; }
    const ResultTable& results() const { return *results_; }
    const SearchRunner& searchRunner() const { return *search_; }
    const Scale& scale() const { return scale_; }
    QString statusPanelText(StatusPanel panel) const;
    int topPanelHeight() const;

    // The start-up sets the window up through these, in this order (after the window's fixed
    // width): its caption and version, the grid's look after the INI file, the window's colour
    // and the navigator's look, the search options and the values of each list remembered for
    // the user, the height of the upper area, the loaded data lists, and the first view (the
    // list in view, the option boxes, the result table, the hints and the remembered record of
    // the file in use).
    void SetCaptions();
    void ApplyGridTheme();
    void ApplyWindowColour();  // the window colour, while desktop themes are on
    void FormPaint();          // the navigator's look; again at every repaint
    void SetSearchOptions(const SearchOptions& options);
    void RememberListValues(const ListMemory& list1, const ListMemory& list2);
    void setTopPanelHeight(int height);  // the splitter's first pane, within its limits
    void UseDataLists(DataState loaded);
    void SetUpFirstView();

    // Where help requests go (the application's help handler), what sounds the alert (by
    // default the desktop's alert sound), and what the first show does to close the splash
    // screen (by default the dialogs' request).
    void setHelpRequest(std::function<void(int helpContext)> request) {
        helpRequest_ = std::move(request);
    }
    void setAlertSound(std::function<void()> sound) { alertSound_ = std::move(sound); }
    void setFirstShowSplashRequest(std::function<void()> request) {
        firstShowSplashRequest_ = std::move(request);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The key router hands the keys and double-clicks of the window and its controls to the
    // handlers below.
    friend class WindowKeyRouter;

    // The handlers of the window's design, connected to its widgets and events.
    // What starts a search: the Search button and the option boxes (the free-text box warns
    // about a free-text mark first; every other box searches again).
    void btnSearchClick();
    void chkFreeTextSearchClick();
    void OptionBoxClick(const OptionBox& box);
    // The list button and the switch between the data files.
    void btnListSelectClick();
    void btnAlternateDatalistClick();
    // Record buttons, window keys, clipboard, information and help.
    void btnFirstClick();
    void btnPriorClick();
    void btnNextClick();
    void btnLastClick();
    void FormKeyDown(const QKeyEvent& key);  // every key of the window, before its control
    void DBGrid1KeyDown(const QKeyEvent& key);
    void DBGrid1DblClick();
    void txtSKSkodeKeyDown(const QKeyEvent& key);
    void txtSKSkodeDblClick();
    void txtDiagnoseTekstKeyDown(const QKeyEvent& key);
    void txtDiagnoseTekstDblClick();
    void RecordFieldKeyDown(const QKeyEvent& key);  // synonyms, inclusions, keywords, comments
    void btnInfoClick();
    void btnHelpClick();
    void btnHelpGlyphClick();
    void OpenProgramHelp();
    // The record display follows the grid once the grid is entered.
    void DBGrid1Enter();
    // Window events.
    void FormShow();
    void FormActivate();
    void FormClose();
    void pnlTopResize();
    void chkKorteListeClick();

    // Every change of a status panel's text goes through here.
    void SetStatusPanel(StatusPanel panel, const QString& text);

    // The search string in use and the record shown: what the file in use remembers.
    const QString& SearchInput() const { return lists_.inUse().lastSearchInput; }
    int CurrentIndex() const { return lists_.inUse().indexPointer; }

    // What shows the list in view and the file in use; the titles of the result grid.
    void ShowListView(const ListViewShown& shown);
    void ShowResultTitles();

    // Record display: the record at CurrentIndex(), or the one at an index, which the file in
    // use then remembers.
    void ShowCurrentRecord();
    void ShowRecord(int index);
    void SyncRecordWithGrid();
    void ApplyFieldNames();

    // The search run and the normalisation every starter goes through.
    RunStatus RunSearch();
    void ShowAppliedSearchString(const QString& text);
    void ShowEscLabel(EscLabelState state);
    void RerunSearch();  // normalise and run again; the rejection shown as applied string
    bool NormalizeSearchInput();
    // The Search button and the free-text box normalise the string, and with a free-text mark
    // in it while the option is on ask the user (fromFreeTextBox: the box's wording) first. A
    // rejected string is shown as the applied string.
    enum class SearchStart { Go, Rejected, Cancelled };
    SearchStart PrepareSearch(bool fromFreeTextBox);
    // The common part of both option boxes' clicks: during a run the box is put back and the
    // click does nothing; otherwise the display stops following the grid and the option takes
    // the box's state. True when the click goes on to search (the result table exists).
    bool TakeOptionBox(const OptionBox& box);

    // The result table's binding to the grid. The grid shows the table once it is open, except
    // while a run fills it; at the end of a run the table is attached again: its current row
    // is selected and the record display follows it.
    void OpenResultTable();
    bool GridShowsResults() const;
    void AttachResultTable();

    // Fits the window onto the screen's work area by its outer rectangle (first show).
    void FitToWorkArea();
    void connectHandlers();
    void FitOnceTheFrameIsKnown();
    void WatchForTheFrame();
    void connectKeysAndButtons();
    void AlertSound();
    int CurrentGridRow() const;

    ProgramState& program_;
    Dialogs& dialogs_;
    UserStore* userStore_;
    Scale scale_;
    WindowWidgets ui_;
    WindowState state_;
    ListViews lists_;
    ResultTable* results_ = nullptr;
    QObject* keyRouter_ = nullptr;
    std::unique_ptr<SearchRunner> search_;
    std::function<void()> firstShowSplashRequest_;
    std::function<void(int)> helpRequest_;
    std::function<void()> alertSound_;
};

}  // namespace vex
