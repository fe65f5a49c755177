#include "window/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

namespace {

// $XDG_CONFIG_HOME, pointed by main() at a fresh directory before Qt first asks for it.
QString configHome() {
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
}

QString iniPath(const QString& application, const QString& section) {
    return configHome() + QLatin1Char('/') + application + QLatin1Char('/') + section +
           QStringLiteral(".conf");
}

void writeIni(const QString& path, const QByteArray& contents) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(contents), contents.size());
}

QByteArray readIni(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each test uses its own section, so no test sees a file another test wrote.
TEST(QtSettingsStore, ReadsConnectionFromSettingConfUnderTheApplicationsConfigDirectory) {
    writeIni(iniPath(QStringLiteral("蓝禾自动关机"), QStringLiteral("Setting")),
             "[General]\nConnection=2\n");
    const QtSettingsStore store;
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "Setting", "Connection", "0"), "2");
}

TEST(QtSettingsStore, GivesTheDefaultWhenNothingIsStored) {
    writeIni(iniPath(QStringLiteral("蓝禾自动关机"), QStringLiteral("OtherKeyOnly")),
             "[General]\nOther=5\n");
    const QtSettingsStore store;
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "OtherKeyOnly", "Connection", "0"), "0");
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "NoFile", "Connection", "0"), "0");
    EXPECT_EQ(store.readSetting("no such application", "Setting", "Connection", "7"), "7");
}

TEST(QtSettingsStore, ReturnsTheStoredTextAsWritten) {
    writeIni(iniPath(QStringLiteral("蓝禾自动关机"), QStringLiteral("Texts")),
             "[General]\nSuffix=2xyz\nFraction=1.5\nComma=2,5\nQuoted=\"1,5\"\nEmpty=\n"
             "Chinese=第二个\n");
    const QtSettingsStore store;
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "Texts", "Suffix", "0"), "2xyz");
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "Texts", "Fraction", "0"), "1.5");
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "Texts", "Comma", "0"), "2,5");
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "Texts", "Quoted", "0"), "1,5");
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "Texts", "Empty", "0"), "");
    EXPECT_EQ(store.readSetting("蓝禾自动关机", "Texts", "Chinese", "0"), "第二个");
}

// QSettings would otherwise also read an organization-wide file beside the directory.
TEST(QtSettingsStore, ReadsOnlyTheApplicationsOwnFile) {
    writeIni(configHome() + QStringLiteral("/Organization.conf"), "[General]\nConnection=9\n");
    const QtSettingsStore store;
    EXPECT_EQ(store.readSetting("Organization", "Setting", "Connection", "0"), "0");
}

TEST(QtSettingsStore, ReadingAMissingSettingCreatesNothing) {
    const QString directory = configHome() + QStringLiteral("/never created");
    const QtSettingsStore store;
    EXPECT_EQ(store.readSetting("never created", "Setting", "Connection", "0"), "0");
    EXPECT_FALSE(QFileInfo::exists(directory));
}

TEST(QtSettingsStore, ReadingLeavesTheFileAsItWas) {
    const QString path = iniPath(QStringLiteral("蓝禾自动关机"), QStringLiteral("Untouched"));
    const QByteArray contents = "; kept as written\n[General]\nConnection = 1\n\n[Other]\nx=1\n";
    writeIni(path, contents);
    const QDateTime modified = QFileInfo(path).lastModified();
    const QStringList entries = QDir(QFileInfo(path).path()).entryList(QDir::AllEntries);
    {
        const QtSettingsStore store;
        EXPECT_EQ(store.readSetting("蓝禾自动关机", "Untouched", "Connection", "0"), "1");
        EXPECT_EQ(store.readSetting("蓝禾自动关机", "Untouched", "Missing", "0"), "0");
    }
    EXPECT_EQ(readIni(path), contents);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries), entries);
}

}  // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
