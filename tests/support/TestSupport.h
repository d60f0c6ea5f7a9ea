#pragma once

#include <QString>
#include <QTest>

namespace quorvel::test {

// The shared sample files: $QUORVEL_TESTDATA, else ../shared/testdata next to
// the project. Empty when neither exists.
QString sharedTestData();

// The path of a shared sample file, or empty when the shared samples are
// missing (the caller skips).
QString sharedFile(const QString &relative);

// Writes bytes to path, creating folders; fails the test on error.
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

} // namespace quorvel::test

// Skips the current test, with a message, when the shared samples are absent.
#define QUORVEL_REQUIRE_SHARED(relative, var)                                                 \
    const QString var = ::quorvel::test::sharedFile(relative);                               \
    if (var.isEmpty())                                                                        \
        QSKIP(qPrintable(QStringLiteral("shared test data not found (%1); set QUORVEL_TESTDATA") \
                             .arg(QStringLiteral(relative))))
