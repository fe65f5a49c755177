// QtSettingsStore against INI files in a fresh XDG config directory.
#include "window/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Writes <XDG_CONFIG_HOME>/<relativePath>; returns its full path.
QString writeIni(const QString& relativePath, const QByteArray& contents) {
    const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + '/' + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    return path;
}

const QtSettingsStore kStore;

std::string read(const char* application, const char* section, const char* key) {
    return kStore.readSetting(application, section, key, "default");
}

// Read only: the file stays as written, and nothing is created for a missing one.
TEST(QtSettingsStore, ReadsTheTextAsWrittenInTheApplicationsOwnFileAndWritesNothing) {
    const QByteArray contents = "; kept\n[General]\nConnection = 2\nComma=2,5\n";
    const QString path = writeIni("蓝禾自动关机/Setting.conf", contents);
    writeIni("Organization.conf", "[General]\nConnection=9\n");
    EXPECT_EQ(read("蓝禾自动关机", "Setting", "Connection"), "2");
    EXPECT_EQ(read("蓝禾自动关机", "Setting", "Comma"), "2,5") << "one text, not a list";
    EXPECT_EQ(read("Organization", "Setting", "Connection"), "default") << "no fallback file";
    EXPECT_EQ(read("never created", "Setting", "Connection"), "default");

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), contents);
    EXPECT_FALSE(QFileInfo::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + "/never created"));
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
