#include "search/resulttable.h"

#include "base/columns.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace vex;

TEST(ResultTable, keepsRowsInOrderAndCutsLongValues) {
    ResultTable table;
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    table.setHeaders(QStringLiteral("SKS-kode"), QStringLiteral("Diagnosetekst"));
    EXPECT_EQ(table.headerData(0, Qt::Horizontal).toString(), QStringLiteral("SKS-kode"));
    EXPECT_EQ(table.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Diagnosetekst"));
    EXPECT_EQ(table.currentRow(), -1);

    table.append(QStringLiteral("DA00123456789"), QString(300, QLatin1Char('x')));
    table.append(QStringLiteral("DB"), QStringLiteral("kort"));
    // A cut never leaves half of a surrogate pair behind.
    table.append(QStringLiteral("ABCDEFGHI") + QStringLiteral("\U0001F600"),
                 QString(254, QLatin1Char('y')) + QStringLiteral("\U0001F600"));
    ASSERT_EQ(table.count(), 3);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.code(0), QStringLiteral("DA00123456"));
    EXPECT_EQ(table.text(0).size(), 255);
    EXPECT_EQ(table.data(table.index(1, 0)).toString(), QStringLiteral("DB"));
    EXPECT_EQ(table.data(table.index(1, 1)).toString(), QStringLiteral("kort"));
    EXPECT_EQ(table.code(2), QStringLiteral("ABCDEFGHI"));
    EXPECT_EQ(table.text(2), QString(254, QLatin1Char('y')));

    table.first();
    EXPECT_EQ(table.currentRow(), 0);
    table.clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.currentRow(), -1);
}

TEST(ResultTable, announcesABatchOnceAtItsEnd) {
    ResultTable table;
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&table, &QAbstractItemModel::rowsInserted);
    table.append(QStringLiteral("A"), QStringLiteral("a"));
    table.beginBatch();
    for (int i = 0; i < 500; ++i) {
        table.append(QString::number(i), QStringLiteral("t"));
    }
    EXPECT_EQ(table.count(), 501);
    EXPECT_EQ(table.rowCount(), 1);  // views learn of the batch only at its end
    table.endBatch();
    EXPECT_EQ(table.rowCount(), 501);
    ASSERT_EQ(inserted.size(), 2);
    EXPECT_EQ(inserted.at(1).at(1).toInt(), 1);
    EXPECT_EQ(inserted.at(1).at(2).toInt(), 500);
    EXPECT_EQ(table.data(table.index(500, 0)).toString(), QStringLiteral("499"));
}

TEST(AddResultRow, takesCodeAndTextColumnsAndSignalsTheHundredthRow) {
    ResultTable table;
    AddResultRow(table, QStringLiteral("DA00\t*\tKolera\t1\tsyn"));
    AddResultRow(table, QStringLiteral(" \"DB01\" \tx\t\"Tekst med \"\"citat\"\"\" "));
    AddResultRow(table, QStringLiteral("DC\tkun to"));
    AddResultRow(table, QStringLiteral("  alene  "));
    AddResultRow(table, QStringLiteral("DD\t\t\""));
    EXPECT_EQ(table.code(0), QStringLiteral("DA00"));
    EXPECT_EQ(table.text(0), QStringLiteral("Kolera"));
    EXPECT_EQ(table.code(1), QStringLiteral("DB01"));
    EXPECT_EQ(table.text(1), QStringLiteral("Tekst med \"citat\""));
    EXPECT_EQ(table.text(2), QStringLiteral("kun to"));  // fewer columns: the last one's value
    EXPECT_EQ(table.code(3), QStringLiteral("alene"));
    EXPECT_EQ(table.text(3), QStringLiteral("alene"));
    EXPECT_EQ(table.text(4), QString());  // a lone double quote is an empty value
    // Values are cleaned exactly as the column split cleans them.
    for (const char* raw : {"\"\"\"a\"\"\"", " \" ", "\"", "a\"\"b", "\"\"", "x\"",
                            "\" \"\"q\"\" \"", "\"\"\"\"", "a\"\"\"b", "\x01 v \x1f"}) {
        const QString line = QString::fromUtf8(raw);
        table.clear();
        AddResultRow(table, line);
        EXPECT_EQ(table.code(0), CleanColumn(line)) << raw;
        EXPECT_EQ(table.text(0), CleanColumn(line)) << raw;
    }
    // A record of a list: quotes made single before the cut.
    const QStringList list{QStringLiteral("x"), QStringLiteral("\"AB\"\"CDEFGHIJK\"\t\t") +
                                                    QString(300, QLatin1Char('t'))};
    table.clear();
    AddResultRow(table, list, 1);
    EXPECT_EQ(table.code(0), QStringLiteral("AB\"CDEFGHI"));
    EXPECT_EQ(table.text(0), QString(255, QLatin1Char('t')));
    table.clear();
    int hundredth = 0;
    while (table.count() < 150) {
        if (AddResultRow(table, QStringLiteral("DX\t\tx"))) {
            hundredth = table.count();
        }
    }
    EXPECT_EQ(hundredth, 100);
}
