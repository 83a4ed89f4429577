#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "desktop/captions.h"
#include "desktop/designfonts.h"
#include "desktop/pictures.h"
#include "desktop/scale.h"
#include "ui/checkboxstyle.h"
#include "ui/greensplitter.h"
#include "ui/resultgrid.h"
#include "ui/windowwidgets.h"

namespace vex {

namespace {

// Creates a child with its design name.
template <typename T, typename... Args>
T* Make(QWidget* parent, const char* name, Args&&... args) {
    T* w = new T(std::forward<Args>(args)..., parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QWidget* Panel(QWidget* parent, const char* name) {
    auto* panel = Make<QFrame>(parent, name);
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

QLabel* Label(QWidget* parent, const char* name, const Scale& s, int x, int y,
              const QString& caption = QString()) {
    auto* label = Make<QLabel>(parent, name);
    label->setTextFormat(Qt::PlainText);
    label->move(s.px(x), s.px(y));
    SetLabelCaption(label, caption);
    return label;
}

// A label whose right edge stays at x whatever its caption.
QLabel* RightLabel(QWidget* parent, const char* name, const Scale& s, int rightEdge, int y,
                   const QString& caption) {
    auto* label = Make<QLabel>(parent, name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setProperty("rightEdge", s.px(rightEdge));
    label->move(0, s.px(y));
    SetLabelCaption(label, caption);
    return label;
}

void Place(QWidget* w, const Scale& s, int x, int y, int width, int height) {
    w->setGeometry(s.px(x), s.px(y), s.px(width), s.px(height));
}

void MakeWhite(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, Qt::white);
    w->setPalette(pal);
}

QLineEdit* LineField(QWidget* parent, const char* name, const Scale& s, int x, int y, int w,
                     int h) {
    auto* field = Make<QLineEdit>(parent, name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    MakeWhite(field);
    Place(field, s, x, y, w, h);
    return field;
}

QPlainTextEdit* TextField(QWidget* parent, const char* name) {
    auto* field = Make<QPlainTextEdit>(parent, name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    field->document()->setDocumentMargin(1);
    MakeWhite(field);
    return field;
}

QPlainTextEdit* TextField(QWidget* parent, const char* name, const Scale& s, int x, int y, int w,
                          int h) {
    QPlainTextEdit* field = TextField(parent, name);
    Place(field, s, x, y, w, h);
    return field;
}

// A button whose caption is a glyph or a picture is given a spoken name that says what it
// does; the others are heard by their captions.
QPushButton* Button(QWidget* parent, const char* name, const Scale& s, int x, int y, int w, int h,
                    const QString& caption, const QString& hint,
                    const QString& spokenName = QString()) {
    auto* button = Make<QPushButton>(parent, name);
    SetButtonCaption(button, caption);
    if (!spokenName.isEmpty()) {
        button->setAccessibleName(spokenName);
    }
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    Place(button, s, x, y, w, h);
    SetHint(button, hint);
    return button;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const Scale& s, int x, int y, int w, int h,
                    const QString& caption, const QString& hint) {
    auto* box = Make<QCheckBox>(parent, name);
    SetButtonCaption(box, caption);
    box->setStyle(CheckBoxStyle());
    box->setFocusPolicy(Qt::NoFocus);
    Place(box, s, x, y, w, h);
    SetHint(box, hint);
    return box;
}

QToolButton* PictureButton(QWidget* parent, const char* name, const Scale& s, int x, int y,
                           const QPixmap& picture, const QString& hint, const QString& spokenName) {
    auto* button = Make<QToolButton>(parent, name);
    button->setAccessibleName(spokenName);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(picture);
    button->setIconSize(picture.size());
    Place(button, s, x, y, 24, 24);
    SetHint(button, hint);
    return button;
}

// A list picture: a screen reader hears the name of the list it stands for.
QLabel* Picture(QWidget* parent, const char* name, const Scale& s, const QPixmap& picture,
                const QString& listName, const QString& hint) {
    auto* image = Make<QLabel>(parent, name);
    image->setAccessibleName(listName);
    image->setPixmap(picture);
    image->setScaledContents(true);
    image->setAttribute(Qt::WA_TranslucentBackground);
    Place(image, s, 162, 8, 12, 12);
    SetHint(image, hint);
    return image;
}

void BuildFields(WindowWidgets& w, const Scale& s) {
    QWidget* p = w.pnlTopFields;
    w.lblField00 = Label(p, "lblField00", s, 2, 10);
    w.txtSKSkode = LineField(p, "txtSKSkode", s, 87, 7, 121, 21);
    w.chkKorteListe = CheckBox(p, "chkKorteListe", s, 215, 9, 131, 17,
                               QStringLiteral("&Inkluderet i KorteListe"), QString());
    w.lblRedigeret = RightLabel(p, "lblRedigeret", s, 440, 10, QString());
    w.lblRedigeret->setAttribute(Qt::WA_TranslucentBackground);
    SetHint(w.lblRedigeret, QStringLiteral("Dato for sidste lokalt udførte redigering eller "
                                           "status-ændring af aktuelt viste datapost"));
    w.lblVersion = RightLabel(p, "lblVersion", s, 520, 10, QString());
    w.btnInfo = PictureButton(p, "btnInfo", s, 524, 4, InfoPicture(s.px(22), s.px(19)),
                              QStringLiteral("Viser program-, data- og kilde-information"),
                              QStringLiteral("Information"));
    w.btnHelpGlyph = PictureButton(p, "btnHelpGlyph", s, 544, 4, HelpGlyphPicture(s.px(16)),
                                   QStringLiteral("Program vejledning [F1]"),
                                   QStringLiteral("Programvejledning"));
    w.lblField02 = Label(p, "lblField02", s, 3, 34);
    w.txtDiagnoseTekst = TextField(p, "txtDiagnoseTekst", s, 87, 31, 485, 37);
    w.lblField04 = Label(p, "lblField04", s, 3, 74);
    w.txtSynonymer = TextField(p, "txtSynonymer", s, 87, 71, 485, 37);
    w.lblField05 = Label(p, "lblField05", s, 3, 114);
    w.txtInklusiv = TextField(p, "txtInklusiv", s, 87, 111, 485, 60);
    w.lblField06 = Label(p, "lblField06", s, 3, 177);
    w.txtStikord = LineField(p, "txtStikord", s, 87, 174, 485, 21);
}

void BuildComments(WindowWidgets& w, const Scale& s) {
    auto* row = new QHBoxLayout(w.pnlTopComments);
    row->setContentsMargins(0, 0, s.px(3), 0);
    row->setSpacing(0);
    w.pnlTopCommentLeft = Panel(w.pnlTopComments, "pnlTopCommentLeft");
    w.pnlTopCommentLeft->setFixedWidth(s.px(87));
    w.lblField07 = Label(w.pnlTopCommentLeft, "lblField07", s, 3, 2);
    w.pnlComments = Panel(w.pnlTopComments, "pnlComments");
    auto* fill = new QVBoxLayout(w.pnlComments);
    fill->setContentsMargins(0, 0, 0, 0);
    w.txtKommentarer = TextField(w.pnlComments, "txtKommentarer");
    w.txtKommentarer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w.txtKommentarer->setTabChangesFocus(false);
    fill->addWidget(w.txtKommentarer);
    row->addWidget(w.pnlTopCommentLeft);
    row->addWidget(w.pnlComments, 1);
}

void BuildNavigation(WindowWidgets& w, const Scale& s) {
    QWidget* p = w.pnlTopNavigation;
    w.chkFreeTextSearch =
        CheckBox(p, "chkFreeTextSearch", s, 4, 0, 73, 17, QStringLiteral("+&Fri-Tekst"),
                 QStringLiteral("Fri-tekst søgning"));
    w.chkSearchOnComments =
        CheckBox(p, "chkSearchOnComments", s, 4, 15, 74, 17, QStringLiteral("+Ko&mment."),
                 QStringLiteral("Inkludér Kommentarfelt i søgning"));
    w.btnSearch = Button(p, "btnSearch", s, 87, 3, 57, 26, QStringLiteral("&Søg"),
                         QStringLiteral("Søger efter poster, der matcher den anførte søgestreng"));
    w.btnSearch->setFocusPolicy(Qt::StrongFocus);
    // The focus rests on this button after the start and after every search: Return and the
    // keypad's Enter press it, as Space does.
    w.btnSearch->setAutoDefault(true);

    w.pnlFloatingButtons = Make<QFrame>(p, "pnlFloatingButtons");
    w.pnlFloatingButtons->setFrameShape(QFrame::NoFrame);
    Place(w.pnlFloatingButtons, s, 149, 2, 261, 29);
    QWidget* f = w.pnlFloatingButtons;
    // The record buttons, side by side: where each stands, its caption, its hint and the name
    // a screen reader hears for its glyph.
    const struct {
        QPushButton*& button;
        const char* name;
        int x;
        const char* caption;
        const char* hint;
        const char* spokenName;
    } recordButtons[] = {
        {w.btnFirst, "btnFirst", 2, "|<", "Går til forreste post i databasen [Ctrl-PgUp]",
         "Første post"},
        {w.btnPrior, "btnPrior", 41, "&<", "Går til foregående post i databasen [PgUp]",
         "Forrige post"},
        {w.btnNext, "btnNext", 80, "&>", "Går til næstfølgende post i databasen [PgDown]",
         "Næste post"},
        {w.btnLast, "btnLast", 119, ">|", "Går til sidste post i databasen [Ctrl-PgDown]",
         "Sidste post"},
    };
    for (const auto& b : recordButtons) {
        b.button = Button(f, b.name, s, b.x, 1, 35, 26, QString::fromUtf8(b.caption),
                          QString::fromUtf8(b.hint), QString::fromUtf8(b.spokenName));
    }
    w.imgShortList =
        Picture(f, "imgShortList", s, ShortListPicture(s.px(12)), kShortListName, kShortListName);
    w.imgExtendedList = Picture(f, "imgExtendedList", s, ExtendedListPicture(s.px(12)),
                                kExtendedListName, kExtendedListName);
    w.btnListSelect =
        Button(f, "btnListSelect", s, 184, 1, 73, 26, QStringLiteral("Kort/&Udvidet"), QString());

    w.btnAlternateDatalist = Button(p, "btnAlternateDatalist", s, 414, 3, 29, 26, QString(),
                                    QString(), QStringLiteral("Skift datafil"));
    w.btnAlternateDatalist->setIcon(AlternateDatalistPicture(s.px(17), s.px(15)));
    w.btnAlternateDatalist->setIconSize(QSize(s.px(17), s.px(15)));
    w.btnAlternateDatalist->setEnabled(false);
    w.btnHelp = Button(p, "btnHelp", s, 452, 3, 54, 26, QStringLiteral("&Hjælp"),
                       QStringLiteral("Åbner online hjælp"));
    w.btnClose = Button(p, "btnClose", s, 512, 3, 54, 26, QStringLiteral("&Luk"),
                        QStringLiteral("Lukker programmet"));
}

// The status panels in their order on the bar: object name, design text and design width.
struct StatusPanelDesign {
    StatusPanel panel;
    const char* name;
    const char* text;
    int width;
};
constexpr StatusPanelDesign kStatusPanelDesigns[] = {
    {StatusPanel::Record, "StatusBar1Record", "Post: 99999 af 99999", 114},
    {StatusPanel::Sync, "StatusBar1Sync", "Sync", 45},
    {StatusPanel::SourceFile, "StatusBar1SourceFile", "SourceFile", 270},
    {StatusPanel::ListSelection, "StatusBar1ListSelection", "ListSelection", 150},
};

// The status bar: a plain strip with four sunken panels of fixed widths. Qt's status bar would
// put gaps between them and lay them out by its own rules.
void BuildStatusBar(WindowWidgets& w, const Scale& s) {
    w.StatusBar1 = Make<QFrame>(w.pnlTop, "StatusBar1");
    w.StatusBar1->setAccessibleName(QStringLiteral("Statuslinje"));
    w.StatusBar1->setFrameShape(QFrame::NoFrame);
    w.StatusBar1->setFixedHeight(s.px(19));
    for (const StatusPanelDesign& design : kStatusPanelDesigns) {
        auto* panel = Make<QLabel>(w.StatusBar1, design.name);
        panel->setText(QLatin1String(design.text));
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(s.px(2));
        w.statusPanels[static_cast<int>(design.panel)] = panel;
    }
    LayOutStatusPanels(w, s);
}

void BuildTop(WindowWidgets& w, const Scale& s) {
    auto* stack = new QVBoxLayout(w.pnlTop);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    w.pnlTopFields = Panel(w.pnlTop, "pnlTopFields");
    w.pnlTopFields->setFixedHeight(s.px(198));
    w.pnlTopComments = Panel(w.pnlTop, "pnlTopComments");
    w.pnlTopNavigation = Panel(w.pnlTop, "pnlTopNavigation");
    w.pnlTopNavigation->setFixedHeight(s.px(31));
    BuildStatusBar(w, s);
    stack->addWidget(w.pnlTopFields);
    stack->addWidget(w.pnlTopComments, 1);
    stack->addWidget(w.pnlTopNavigation);
    stack->addWidget(w.StatusBar1);
    BuildFields(w, s);
    BuildComments(w, s);
    BuildNavigation(w, s);
}

void BuildBottom(WindowWidgets& w, const Scale& s) {
    QWidget* p = w.pnlBottom;
    w.DBNavigator1 = new ResultNavigator(w.DBGrid1, s, p);
    Place(w.DBNavigator1, s, 2, 1, 80, 18);
    w.lblSearchCount = Label(p, "lblSearchCount", s, 95, 4, QStringLiteral("x/n"));
    SetHint(w.lblSearchCount,
            QStringLiteral("Fokuserede post på søgningslisten ud af antal fundne"));
    w.lblSearchString = Label(p, "lblSearchString", s, 164, 4,
                              QStringLiteral("Anvendt søgestreng: [                           ]"));
    w.lblSearchESC = RightLabel(p, "lblSearchESC", s, 570, 4, QStringLiteral("Afbryd med ESC"));
    SetHint(w.lblSearchESC, QStringLiteral("Søgetid / søgnings-gennemførelse"));
    w.lblSearchESC->hide();
}

}  // namespace

void LayOutStatusPanels(const WindowWidgets& w, const Scale& s) {
    int left = 0;
    for (const StatusPanelDesign& design : kStatusPanelDesigns) {
        const int width = s.px(design.width);
        w.statusPanel(design.panel)->setGeometry(left, 0, width, s.px(19));
        left += width;
    }
}

QString WindowFontFamily() {
    RegisterDesignFonts();
    // Where the design's font is missing, a font of about its width stands in.
    for (const char* name : {"Tahoma", "Liberation Sans", "Arimo", "Arial", "Nimbus Sans"}) {
        const QString family = InstalledFontFamily(QLatin1String(name));
        if (!family.isEmpty()) {
            return family;
        }
    }
    return QStringLiteral("Tahoma");
}

WindowWidgets BuildWindowLayout(QWidget* window, const Scale& s) {
    QFont font(WindowFontFamily());
    font.setPointSize(8);
    window->setFont(font);
    window->resize(s.px(573), s.px(661));

    WindowWidgets w;
    auto* column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* splitter = new GreenSplitter(window);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(s.px(4));
    splitter->setChildrenCollapsible(false);
    w.Splitter1 = splitter;

    w.pnlTop = Panel(splitter, "pnlTop");
    w.pnlTop->setMinimumHeight(s.px(324));
    w.pnlTop->setMaximumHeight(s.px(476));
    w.pnlDBGrid = Panel(splitter, "pnlDBGrid");
    w.pnlDBGrid->setAutoFillBackground(true);
    auto* gridFill = new QVBoxLayout(w.pnlDBGrid);
    gridFill->setContentsMargins(0, 0, 0, 0);
    w.DBGrid1 = new QTableView(w.pnlDBGrid);
    ConfigureResultGrid(w.DBGrid1, s);
    gridFill->addWidget(w.DBGrid1);
    splitter->addWidget(w.pnlTop);
    splitter->addWidget(w.pnlDBGrid);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({s.px(324), s.px(661 - 324 - 4 - 19)});

    w.pnlBottom = Panel(window, "pnlBottom");
    w.pnlBottom->setFixedHeight(s.px(19));
    w.pnlBottom->setAutoFillBackground(true);

    column->addWidget(splitter, 1);
    column->addWidget(w.pnlBottom);

    BuildTop(w, s);
    BuildBottom(w, s);
    return w;
}

}  // namespace vex
