// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The boundary between the window's Unicode texts and the cipher's bytes, and the texts of error boxes.

#include "Messages.h"
#include "TextCodec.h"

#include <cipher/Cleaning.h>

#include <QTest>

class TestTextBoundary : public QObject {
    Q_OBJECT

private slots:
    void codePointsBecomeOneByteEach_data();
    void codePointsBecomeOneByteEach();
    void everyByteSurvivesTheWayBack();
    void typedCapitalSharpSIsCleanedToSZ();
    void errorMessagesEndWithAFullStop_data();
    void errorMessagesEndWithAFullStop();
    void titleComesFromTheProgramFile_data();
    void titleComesFromTheProgramFile();
};

// Each row also gives, for every byte, where its code point starts in the text.
void TestTextBoundary::codePointsBecomeOneByteEach_data()
{
    using Starts = QList<qsizetype>;
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Starts>("starts");
    QTest::addRow("ASCII") << "Bifid 12" << QByteArray("Bifid 12") << Starts{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::addRow("umlauts and sharp s") << "ÄÖÜäöüß" << QByteArray("\xC4\xD6\xDC\xE4\xF6\xFC\xDF")
                                         << Starts{0, 1, 2, 3, 4, 5, 6};
    QTest::addRow("capital sharp s becomes sharp s") << "MAẞ" << QByteArray("MA\xDF") << Starts{0, 1, 2};
    QTest::addRow("line break is CR LF") << "a\nb" << QByteArray("a\r\nb") << Starts{0, 1, 1, 2};
    QTest::addRow("euro and quotes of the code page") << "€„“" << QByteArray("\x80\x84\x93") << Starts{0, 1, 2};
    QTest::addRow("undefined bytes keep their code point") << QString(QChar(0x81)) << QByteArray("\x81") << Starts{0};
    QTest::addRow("outside the code page") << QString::fromUtf8("\u0100\u4E2D") << QByteArray("??") << Starts{0, 1};
    QTest::addRow("beyond the basic plane counts once")
        << QString::fromUtf8("x\U0001F600y") << QByteArray("x?y") << Starts{0, 1, 3};
    QTest::addRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?") << Starts{0};
    QTest::addRow("high surrogate before a letter")
        << (QString(QChar(0xD800)) + u'x') << QByteArray("?x") << Starts{0, 1};
    QTest::addRow("low surrogate first") << (QString(QChar(0xDC00)) + QChar(0xD800)) << QByteArray("??")
                                         << Starts{0, 1};
    QTest::addRow("empty") << QString() << QByteArray() << Starts{};
}

void TestTextBoundary::codePointsBecomeOneByteEach()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QList<qsizetype>, starts);
    QCOMPARE(QByteArray::fromStdString(TextCodec::toCodePage(text)), bytes);
    QList<qsizetype> startOfEachByte;
    for (TextCodec::CodePointReader reader(text); !reader.atEnd();) {
        const TextCodec::CodePoint codePoint = reader.next();
        QVERIFY(codePoint.start + codePoint.length <= text.size());
        startOfEachByte.insert(startOfEachByte.size(), TextCodec::byteCount(codePoint.value), codePoint.start);
    }
    QCOMPARE(startOfEachByte, starts);
}

void TestTextBoundary::everyByteSurvivesTheWayBack()
{
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == '\n')
            continue;  // a lone LF comes back as the line break CR LF
        const std::string original(1, char(byte));
        QCOMPARE(TextCodec::toCodePage(TextCodec::fromCodePage(original)), original);
    }
    QCOMPARE(TextCodec::fromCodePage("a\r\nb\rc"), QStringLiteral("a\nb\rc"));
}

void TestTextBoundary::typedCapitalSharpSIsCleanedToSZ()
{
    QCOMPARE(bifid::cleanText(TextCodec::toCodePage(u"GROẞE"), false, bifid::Dimension::Five), std::string("GROSZE"));
}

void TestTextBoundary::errorMessagesEndWithAFullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::addRow("letter") << "kein Integerwert"
                            << "kein Integerwert.";
    QTest::addRow("quote sorts before") << "'X'"
                                        << "'X'";
    QTest::addRow("slash sorts after the full stop") << "a/"
                                                     << "a/.";
    QTest::addRow("umlaut") << "Größe ü"
                            << "Größe ü.";
    QTest::addRow("full stop already") << "Ende."
                                       << "Ende.";
    QTest::addRow("exclamation mark sorts before") << "Halt!"
                                                   << "Halt!";
    QTest::addRow("closing parenthesis sorts before") << "(1 bis 6)"
                                                      << "(1 bis 6)";
    QTest::addRow("empty") << ""
                           << "";
}

void TestTextBoundary::errorMessagesEndWithAFullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(Messages::withFinalFullStop(message), shown);
}

void TestTextBoundary::titleComesFromTheProgramFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::addRow("plain") << "/usr/bin/bifid"
                           << "bifid";
    QTest::addRow("first letter kept, rest lowered") << "/opt/BIFID.EXE"
                                                     << "Bifid";
    QTest::addRow("cut at the first full stop") << "Bifid.Werkbank.exe"
                                                << "Bifid";
    QTest::addRow("umlaut lowered") << "/x/CHIFFRE-ÜBUNG"
                                    << "Chiffre-übung";
}

void TestTextBoundary::titleComesFromTheProgramFile()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(Messages::titleOfProgramFile(path), title);
}

QTEST_GUILESS_MAIN(TestTextBoundary)
#include "tst_text_boundary.moc"
