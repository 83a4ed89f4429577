#include "config/commandline.h"

#include "base/textutil.h"

namespace vex {

namespace {

constexpr QLatin1String kTxt(".TXT");

// The switch as the user typed it, compared by its upper-case form.
bool beginsWith(const QString& upperParam, const char* prefix) {
    return upperParam.startsWith(QLatin1String(prefix));
}

// Where ".txt" first occurs in the parameter (any case), or -1.
qsizetype txtIndex(const QString& upperParam) {
    return upperParam.indexOf(kTxt);
}

// The first ".txt" stands at the very end.
bool endsInTxt(const QString& upperParam) {
    const qsizetype i = txtIndex(upperParam);
    return i >= 0 && i == upperParam.size() - kTxt.size();
}

// The part after the last "\" or ":".
QString fileNamePart(const QString& param) {
    const qsizetype cut =
        std::max(param.lastIndexOf(QLatin1Char('\\')), param.lastIndexOf(QLatin1Char(':')));
    return param.mid(cut + 1);
}

// A plain name (not a "/" parameter) whose file name part ends in ".txt" with something
// in front of it.
bool isPlainTxtName(const QString& param) {
    if (param.startsWith(QLatin1Char('/'))) {
        return false;
    }
    const QString part = upper(fileNamePart(param));
    return endsInTxt(part) && txtIndex(part) > 0;
}

bool isEditSwitch(const QString& param) {
    return upper(param) == QLatin1String("/E");
}

QString withTxtAppended(const QString& param) {
    if (param.isEmpty() || param.toLower().contains(QLatin1String(".txt"))) {
        return param;
    }
    return param + QLatin1String(".txt");
}

}  // namespace

CommandLineNames ApplyCommandLine(const QString& param1, const QString& param2,
                                  const QString& primary, const QString& secondary) {
    CommandLineNames names{primary, secondary};
    const bool useA = !trimmed32(param1).isEmpty() && !isEditSwitch(param1);
    const bool useB = !trimmed32(param2).isEmpty() && !isEditSwitch(param2);
    if (!useA && !useB) {
        return names;
    }
    const QString a = withTxtAppended(param1);
    const QString b = withTxtAppended(param2);
    const QString ua = upper(a);
    const QString ub = upper(b);

    // Parameter 1 names the primary file by "/F:", "/F1:", any other "/" form but "/F2:", or
    // as a plain file name.
    if (useA) {
        if (beginsWith(ua, "/F:") && endsInTxt(ua)) {
            names.primary = trimmed32(a.mid(3));
        } else if (beginsWith(ua, "/F1:") && endsInTxt(ua) && txtIndex(ua) >= 5) {
            names.primary = trimmed32(a.mid(4));
        } else if (beginsWith(ua, "/") && !ua.contains(QLatin1String("/F2:")) && endsInTxt(ua) &&
                   txtIndex(ua) >= 2) {
            names.primary = trimmed32(a.mid(1));
        } else if (isPlainTxtName(a)) {
            names.primary = trimmed32(a);
        }
    }
    // Parameter 2 names the primary file only by "/F:" or "/F1:", and then wins over
    // parameter 1.
    if (useB) {
        if (beginsWith(ub, "/F:") && endsInTxt(ub) && txtIndex(ub) >= 4) {
            names.primary = trimmed32(b.mid(3));
        } else if (beginsWith(ub, "/F1:") && endsInTxt(ub) && txtIndex(ub) >= 5) {
            names.primary = trimmed32(b.mid(4));
        }
    }
    // The secondary file: "/F2:" in either parameter, or a plain file name in parameter 2.
    if (useA && beginsWith(ua, "/F2:") && endsInTxt(ua)) {
        names.secondary = trimmed32(a.mid(4));
    }
    if (useB) {
        if (beginsWith(ub, "/F2:") && endsInTxt(ub) && txtIndex(ub) >= 5) {
            names.secondary = trimmed32(b.mid(4));
        } else if (isPlainTxtName(b)) {
            names.secondary = trimmed32(b);
        }
    }
    return names;
}

bool HasEditSwitch(const QString& param1, const QString& param2, const QString& param3) {
    return isEditSwitch(param1) || isEditSwitch(param2) || isEditSwitch(param3);
}

QString SplashDataFileName(const QString& param1, const QString& param2) {
    if (trimmed32(param1).isEmpty()) {
        return {};
    }
    QString name;
    const QString u1 = upper(param1);
    if (beginsWith(u1, "/F:") && endsInTxt(u1)) {
        name = trimmed32(param1.mid(3));
    } else if (beginsWith(u1, "/") && endsInTxt(u1) && txtIndex(u1) >= 4 &&
               !u1.contains(QLatin1String("/F2:"))) {
        name = trimmed32(param1.mid(1));
    }
    const QString u2 = upper(param2);
    if (!trimmed32(param2).isEmpty() && beginsWith(u2, "/F:") && endsInTxt(u2) &&
        txtIndex(u2) >= 4) {
        name = trimmed32(param2.mid(3));
    }
    return name;
}

bool SplashShowsAlternativePicture(const QString& splashDataFileName) {
    if (splashDataFileName.isEmpty()) {
        return false;
    }
    const QString u = upper(splashDataFileName);
    return !(u.contains(QLatin1String("ICD")) && u.contains(QLatin1String("VEX.")));
}

}  // namespace vex
