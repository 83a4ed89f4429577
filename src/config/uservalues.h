#pragma once

#include "base/searchoptions.h"
#include "config/userstore.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace vex {

// What the program remembers for one data list (list 1 = primary file, list 2 = secondary).
// Which list of a data file is in view: its short list or its whole, extended list.
enum class ListView { Short, Extended };

struct ListMemory {
    QString lastSearchInput;                  // LastSearchInputN
    int indexPointer = 0;                     // IndexPointerN
    ListView extendedView = ListView::Short;  // ExtendedListNView: "1" = extended, else short
    double searchTime = 0;   // SearchTimeN: seconds of the last search in this run, -1 = broken off
    QString searchTimeText;  // the stored duration as read, with the user's decimal separator

    bool operator==(const ListMemory&) const = default;
};

// The per-user values as read at start-up. Window values that are missing or not usable are
// nullopt: the caller centres the window first and then applies what is set here.
struct UserValues {
    ListMemory list1;
    ListMemory list2;
    std::optional<int> positionTop;
    std::optional<int> positionLeft;
    std::optional<int> formHeight;
    std::optional<int> panelTopHeight;
    SearchOptions options;
};

// Everything written when the window closes.
struct UserValuesToStore {
    ListMemory list1;  // values of both lists as the run left them (searchTimeText is not used)
    ListMemory list2;
    int positionTop = 0;
    int positionLeft = 0;
    int formHeight = 0;
    int panelTopHeight = 0;
    SearchOptions options;
};

// Reads the per-user values, moving and deleting the values older versions left behind, and
// commits those changes. Nothing fails: a group that cannot be opened leaves its values at
// their initial values, a single missing, mistyped or unconvertible value takes its default.
UserValues LoadUserValues(UserStore& store, const QLocale& locale = QLocale::system());

// Writes the per-user values and removes the old option values, then commits. Returns
// whether the store took the values (a failure is not reported to the user).
bool StoreUserValues(UserStore& store, const UserValuesToStore& values);

// A search duration as stored: at least two and at most three decimals, "." as decimal
// separator, rounded half away from zero (0.5 → "0.50", 1.2345 → "1.235", -1 → "-1.00").
QString FormatSearchTime(double seconds);

// The duration of a restored search time text (user's decimal separator); -1 when the text
// is empty or not a number.
double SearchTimeFromText(const QString& text, const QLocale& locale = QLocale::system());

}  // namespace vex
