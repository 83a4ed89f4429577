#pragma once

#include <QString>

#include <iterator>

#include "base/searchoptions.h"
#include "ui/statustexts.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableView;
class QToolButton;
class QWidget;

namespace vex {

class ResultNavigator;
class Scale;

// The components of the main window, named as the window's design names them (the object
// names are the same, so tests find them with findChild).
struct WindowWidgets {
    QWidget* pnlTop = nullptr;
    QWidget* pnlTopFields = nullptr;
    QWidget* pnlTopComments = nullptr;
    QWidget* pnlTopCommentLeft = nullptr;
    QWidget* pnlComments = nullptr;
    QWidget* pnlTopNavigation = nullptr;
    QFrame* StatusBar1 = nullptr;
    QLabel* statusPanels[std::size(kStatusPanels)] = {};  // by StatusPanel; see statusPanel()
    QSplitter* Splitter1 = nullptr;
    QWidget* pnlDBGrid = nullptr;
    QTableView* DBGrid1 = nullptr;
    QWidget* pnlBottom = nullptr;

    QLabel* lblField00 = nullptr;
    QLineEdit* txtSKSkode = nullptr;
    QCheckBox* chkKorteListe = nullptr;
    QLabel* lblRedigeret = nullptr;
    QLabel* lblVersion = nullptr;
    QToolButton* btnInfo = nullptr;
    QToolButton* btnHelpGlyph = nullptr;
    QLabel* lblField02 = nullptr;
    QPlainTextEdit* txtDiagnoseTekst = nullptr;
    QLabel* lblField04 = nullptr;
    QPlainTextEdit* txtSynonymer = nullptr;
    QLabel* lblField05 = nullptr;
    QPlainTextEdit* txtInklusiv = nullptr;
    QLabel* lblField06 = nullptr;
    QLineEdit* txtStikord = nullptr;
    QLabel* lblField07 = nullptr;
    QPlainTextEdit* txtKommentarer = nullptr;

    QCheckBox* chkFreeTextSearch = nullptr;
    QCheckBox* chkSearchOnComments = nullptr;
    QPushButton* btnSearch = nullptr;
    QFrame* pnlFloatingButtons = nullptr;
    QPushButton* btnFirst = nullptr;
    QPushButton* btnPrior = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnLast = nullptr;
    QLabel* imgShortList = nullptr;
    QLabel* imgExtendedList = nullptr;
    QPushButton* btnListSelect = nullptr;
    QPushButton* btnAlternateDatalist = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnClose = nullptr;

    ResultNavigator* DBNavigator1 = nullptr;
    QLabel* lblSearchCount = nullptr;
    QLabel* lblSearchString = nullptr;
    QLabel* lblSearchESC = nullptr;

    QLabel* statusPanel(StatusPanel panel) const { return statusPanels[static_cast<int>(panel)]; }
};

// The search option boxes and the option each one sets.
struct OptionBox {
    QCheckBox* WindowWidgets::*box;
    bool SearchOptions::*option;
};
inline constexpr OptionBox kOptionBoxes[] = {
    {&WindowWidgets::chkFreeTextSearch, &SearchOptions::freeText},
    {&WindowWidgets::chkSearchOnComments, &SearchOptions::comments},
};

// The family of the window's font: Tahoma (the system's, or the one of fonts-wine registered
// for the program), or one of about its width where neither is there.
QString WindowFontFamily();

// Sets a status panel's text, with what a screen reader hears before it: every change of a
// panel's text goes through here.
void SetStatusPanelText(const WindowWidgets& w, StatusPanel panel, const QString& text);

// Puts the status bar's panels side by side from its left edge at their design widths (114,
// 45, 270 and 150 pixels at 96 dpi), without gaps. Together they are wider than the window:
// the last panel is cut at its right edge.
void LayOutStatusPanels(const WindowWidgets& w, const Scale& scale);

// Builds every component of the main window into the window, at design sizes scaled by the
// screen's dots per inch, with captions, design texts and states. Hints that are set later
// (at start-up and at the first show) are left to those steps.
WindowWidgets BuildWindowLayout(QWidget* window, const Scale& scale);

}  // namespace vex
