#include "window/tapwerk_settings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/exception.h"
#include "registry/registry.h"

namespace {

constexpr const char* kKey = "Software\\Brindlex\\Tapwerk";

// Every test gets a hive of its own in a temporary folder.
class RegistrySettingsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previous_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", folder_.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", previous_); }

    QTemporaryDir folder_;
    QByteArray previous_;
    RegistryTapwerkSettings settings_;
};

TEST_F(RegistrySettingsTest, FirstReadCreatesTheEmptyKeyAndGivesTheDefaults) {
    const TapwerkValues values = settings_.Read();
    EXPECT_EQ(values.interval, "2000");
    EXPECT_EQ(values.enter, "0");
    TRegistry registry;
    EXPECT_TRUE(registry.KeyExists(kKey));
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.ValueExists("Interval"));
    EXPECT_FALSE(registry.ValueExists("Enter"));
}

TEST_F(RegistrySettingsTest, WritesTextValuesThatReadBackUnchanged) {
    settings_.WriteInterval("");
    settings_.WriteInterval("35 0x");
    settings_.WriteEnter("1");
    const TapwerkValues values = settings_.Read();
    EXPECT_EQ(values.interval, "35 0x");
    EXPECT_EQ(values.enter, "1");
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.GetDataType("Interval"), TRegDataType::rdString);
    EXPECT_EQ(registry.GetDataType("Enter"), TRegDataType::rdString);
}

TEST_F(RegistrySettingsTest, ValueOfAnotherTypeIsAnError) {
    for (const char* name : {"Interval", "Enter"}) {
        SCOPED_TRACE(name);
        {
            TRegistry registry;
            ASSERT_TRUE(registry.OpenKey(kKey, true));
            registry.DeleteValue("Interval");
            registry.DeleteValue("Enter");
            registry.WriteInteger(name, 1);
        }
        try {
            (void)settings_.Read();
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), std::string("Invalid data type for '") + name + "'");
        }
    }
}

TEST_F(RegistrySettingsTest, HiveThatCannotBeCreatedReadsDefaultsAndRefusesWrites) {
    // A file where the configuration folder should be: nothing can be created below it.
    const QString blocked = folder_.filePath("blocked");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CONFIG_HOME", blocked.toUtf8());

    const TapwerkValues values = settings_.Read();
    EXPECT_EQ(values.interval, "2000");
    EXPECT_EQ(values.enter, "0");
    try {
        settings_.WriteInterval("3000");
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Failed to set data for 'Interval'");
    }
    EXPECT_THROW(settings_.WriteEnter("1"), Exception);
}

}  // namespace
