// Bytes of the per-user store file through its reader, the start-up's reading of the values
// (which also moves and deletes the values older versions left) and the writer.
//
// What the reader keeps must survive being written and read again unchanged, or a store would
// lose or alter values each time the window closes.

#include "config/regfileformat.h"
#include "config/uservalues.h"
#include "fuzzsupport.h"

#include <QLocale>

using namespace vex;
using namespace vex::fuzz;

namespace {

// UTF-8 cannot carry half a surrogate pair; such a text cannot survive the file unchanged.
bool hasLoneSurrogate(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            return true;
        }
    }
    return false;
}

bool writable(const UserStoreData& data) {
    for (const UserStoreData::Group* g : {&data.values, &data.mode}) {
        for (const UserStoreData::Named& n : g->values) {
            if (hasLoneSurrogate(n.name) || hasLoneSurrogate(n.value.text)) {
                return false;
            }
        }
    }
    return true;
}

// The start-up's reading of the values in the locale (which also moves and deletes the values
// older versions left), and the values the window would write back at its close.
UserValuesToStore loadValues(MemoryUserStore& store, const QLocale& locale) {
    const UserValues values = LoadUserValues(store, locale);
    VEX_FUZZ_CHECK(values.list1.indexPointer >= 0 && values.list2.indexPointer >= 0);
    (void)SearchTimeFromText(values.list2.searchTimeText, locale);
    UserValuesToStore out;
    out.list1 = values.list1;
    out.list2 = values.list2;
    out.list1.searchTime = SearchTimeFromText(values.list1.searchTimeText, locale);
    out.positionTop = values.positionTop.value_or(0);
    out.positionLeft = values.positionLeft.value_or(0);
    out.formHeight = values.formHeight.value_or(0);
    out.panelTopHeight = values.panelTopHeight.value_or(0);
    return out;
}

// Closing the window writes the values back; the store must still read.
void storeAndReadAgain(MemoryUserStore& store, const UserValuesToStore& out,
                       const QLocale& locale) {
    VEX_FUZZ_CHECK(StoreUserValues(store, out));
    MemoryUserStore again(regfile::parseBytes(regfile::serializeBytes(store.data())));
    const UserValues second = LoadUserValues(again, locale);
    if (writable(store.data())) {
        VEX_FUZZ_CHECK(second.list1.lastSearchInput == out.list1.lastSearchInput);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size).toByteArray();
    const UserStoreData parsed = regfile::parseBytes(bytes);

    // Written and read again, the store is the same (and so is its text, written again).
    if (writable(parsed)) {
        VEX_FUZZ_CHECK(regfile::parseBytes(regfile::serializeBytes(parsed)) == parsed);
    } else {
        (void)regfile::parseBytes(regfile::serializeBytes(parsed));
    }

    // The locale only changes how a search time reads: the Danish reading goes through the
    // close only when it gives another time than the C one.
    static const QLocale danish(QLocale::Danish, QLocale::Denmark);
    MemoryUserStore inC(parsed);
    MemoryUserStore inDanish(parsed);
    const UserValuesToStore outC = loadValues(inC, QLocale::c());
    const UserValuesToStore outDanish = loadValues(inDanish, danish);
    storeAndReadAgain(inC, outC, QLocale::c());
    if (outDanish.list1.searchTime != outC.list1.searchTime) {
        storeAndReadAgain(inDanish, outDanish, danish);
    }
    return 0;
}
