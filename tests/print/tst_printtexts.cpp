#include "core/print/CaptionText.h"
#include "core/print/OutputFileNames.h"

#include <QTest>

using namespace quorvel;

class TestPrintTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void insertField_data();
    void insertField();
    void exifMenu_data();
    void exifMenu();
    void preparedFileName_data();
    void preparedFileName();
    void indexListFileName_data();
    void indexListFileName();
};

void TestPrintTexts::insertField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("after a letter") << "Riga" << "ISO100" << "Riga ISO100";
    QTest::newRow("after a digit") << "2004" << "F5.6" << "2004 F5.6";
    QTest::newRow("after a non-Latin letter") << QString::fromUtf8("Рига") << "1/250"
                                              << QString::fromUtf8("Рига 1/250");
    QTest::newRow("after a space") << "Riga " << "ISO100" << "Riga ISO100";
    QTest::newRow("after punctuation") << "Riga," << "ISO100" << "Riga,ISO100";
    QTest::newRow("after a bracket") << "(" << "35.0 mm" << "(35.0 mm";
    QTest::newRow("empty text") << "" << "Canon EOS 300D" << "Canon EOS 300D";
    QTest::newRow("field is trimmed") << "Riga" << "  Canon EOS 300D \t" << "Riga Canon EOS 300D";
    QTest::newRow("blank field adds nothing") << "Riga" << "   " << "Riga";
    QTest::newRow("empty field adds nothing") << "Riga" << "" << "Riga";
}

void TestPrintTexts::insertField()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QCOMPARE(CaptionText::withField(text, field), expected);
}

void TestPrintTexts::exifMenu_data()
{
    QTest::addColumn<bool>("hasExif");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("expected"); // label:enabled, "|" for a separator
    QTest::newRow("all fields")
        << true << QStringList{"Canon EOS 300D", "2004:07:14 12:00:00", "ISO100", "35.0 mm", "F5.6", "1/250"}
        << "Camera:1 Date/time:1 ISO:1 Focal length:1 Aperture:1 Exposure:1";
    QTest::newRow("some fields")
        << true << QStringList{"", "2004:07:14 12:00:00", "", "35.0 mm", "", "1/250"}
        << "Camera:0 Date/time:1 ISO:0 Focal length:1 Aperture:0 Exposure:1";
    QTest::newRow("no EXIF") << false << QStringList{"", "", "", "", "", ""}
                             << "This file does not contain EXIF data:0 | Camera:0 Date/time:0 ISO:0 Focal length:0 "
                                "Aperture:0 Exposure:0";
}

void TestPrintTexts::exifMenu()
{
    QFETCH(bool, hasExif);
    QFETCH(QStringList, fields);
    QFETCH(QString, expected);
    CaptionText::FieldTexts texts;
    for (int i = 0; i < CaptionText::kFieldCount; ++i)
        texts[size_t(i)] = fields[i];
    QStringList shown;
    int field = 0;
    for (const CaptionText::MenuItem &item : CaptionText::menu(texts, hasExif)) {
        if (item.separator) {
            shown << "|";
            continue;
        }
        shown << QStringLiteral("%1:%2").arg(item.label).arg(int(item.enabled));
        if (item.field >= 0)
            QCOMPARE(item.field, field++);
    }
    QCOMPARE(shown.join(' '), expected);
    QCOMPARE(field, CaptionText::kFieldCount);
}

void TestPrintTexts::preparedFileName_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("beside the source") << "/photos/2004/img_0012.jpg" << "10x15" << "/photos/2004/img_0012_10x15.jpg";
    QTest::newRow("raw source") << "/photos/crw_0001.CRW" << "mobile_176x208" << "/photos/crw_0001_mobile_176x208.jpg";
    QTest::newRow("only the last extension goes") << "/p/a.b.tif" << "A4" << "/p/a.b_A4.jpg";
    QTest::newRow("no extension") << "/p/scan" << "other" << "/p/scan_other.jpg";
    QTest::newRow("dot in the folder") << "/p.d/scan" << "9x13" << "/p.d/scan_9x13.jpg";
    QTest::newRow("percent signs stay") << "/p/100%1.jpg" << "A5" << "/p/100%1_A5.jpg";
    QTest::newRow("no folder") << "img.jpg" << "A6" << "img_A6.jpg";
}

void TestPrintTexts::preparedFileName()
{
    QFETCH(QString, source);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(OutputFileNames::prepared(source, key), expected);
}

void TestPrintTexts::indexListFileName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first list") << "/out/index.jpg" << 1 << "/out/index_1.jpg";
    QTest::newRow("second list") << "/out/index.jpg" << 2 << "/out/index_2.jpg";
    QTest::newRow("dots in the name") << "/out/trip.2004.jpg" << 12 << "/out/trip.2004_12.jpg";
    QTest::newRow("no extension") << "/out/index" << 3 << "/out/index_3";
    QTest::newRow("percent signs stay") << "/out/%2.jpg" << 1 << "/out/%2_1.jpg";
}

void TestPrintTexts::indexListFileName()
{
    QFETCH(QString, chosen);
    QFETCH(int, list);
    QFETCH(QString, expected);
    QCOMPARE(OutputFileNames::indexList(chosen, list), expected);
}

QTEST_GUILESS_MAIN(TestPrintTexts)
#include "tst_printtexts.moc"
