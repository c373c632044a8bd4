#include "app/RegistryAccessor.h"

#include "tests/win/HandleCount.h"
#include "tests/win/ScratchRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RegistryAccessorTest : public testing::Test {
protected:
    ScratchCurrentUser scratch;
};

// A key name of more than 255 characters: the system refuses to create it.
const std::string RefusedPath = "Software\\Plexor\\" + std::string(300, 'x');

std::string RefusalOf(RegistryAccessor& registry, const std::string& name)
{
    try {
        registry.WriteString(name, "1");
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST_F(RegistryAccessorTest, OpenKeyCreatesTheKeyWithItsParentsAndStringsAreStoredWithTheirNul)
{
    RegistryAccessor registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Plexor\\One\\Two"));
    registry.WriteString("", "218.640");
    registry.WriteString("ServiceHandle", "-7");
    registry.WriteString("Empty", "");
    registry.CloseKey();

    EXPECT_EQ(ValueNames("Software\\Plexor\\One\\Two"), (std::vector<std::string>{"", "Empty", "ServiceHandle"}));
    EXPECT_EQ(ReadValue("Software\\Plexor\\One\\Two", ""), StringValue("218.640"));
    EXPECT_EQ(ReadValue("Software\\Plexor\\One\\Two", "ServiceHandle"), StringValue("-7"));
    EXPECT_EQ(ReadValue("Software\\Plexor\\One\\Two", "Empty"), StringValue(""));
    EXPECT_TRUE(ValueNames("Software\\Plexor\\One").empty());
}

TEST_F(RegistryAccessorTest, WritesGoToTheKeyOpenedLastAndAFailedOpenChangesNothing)
{
    RegistryAccessor registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Plexor\\First"));
    ASSERT_TRUE(registry.OpenKey("Software\\Plexor\\Second"));
    registry.WriteString("Value", "second");
    EXPECT_FALSE(registry.OpenKey(RefusedPath));
    registry.WriteString("Kept", "still second");

    EXPECT_TRUE(ValueNames("Software\\Plexor\\First").empty());
    EXPECT_EQ(ValueNames("Software\\Plexor\\Second"), (std::vector<std::string>{"Kept", "Value"}));
    EXPECT_EQ(SubkeyNames("Software\\Plexor"), (std::vector<std::string>{"First", "Second"}));
}

TEST_F(RegistryAccessorTest, AWriteWithoutAnOpenKeyIsRefusedNamingTheValue)
{
    RegistryAccessor registry;
    EXPECT_EQ(RefusalOf(registry, ""), "Failed to set data for ''");
    EXPECT_EQ(RefusalOf(registry, "ServiceHandle"), "Failed to set data for 'ServiceHandle'");

    EXPECT_FALSE(registry.OpenKey(RefusedPath));
    EXPECT_EQ(RefusalOf(registry, "ServiceHandle"), "Failed to set data for 'ServiceHandle'");

    ASSERT_TRUE(registry.OpenKey("Software\\Plexor"));
    registry.CloseKey();
    EXPECT_EQ(RefusalOf(registry, ""), "Failed to set data for ''");
    EXPECT_TRUE(ValueNames("Software\\Plexor").empty());
}

TEST_F(RegistryAccessorTest, HoldsOneKeyAtATimeAndReleaseClosesIt)
{
    const int before = OpenHandleCount();
    {
        RegistryAccessor registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Plexor\\First"));
        ASSERT_TRUE(registry.OpenKey("Software\\Plexor\\Second"));
        EXPECT_EQ(OpenHandleCount(), before + 1);
        registry.CloseKey();
        EXPECT_EQ(OpenHandleCount(), before);
        ASSERT_TRUE(registry.OpenKey("Software\\Plexor\\Third"));
    }
    EXPECT_EQ(OpenHandleCount(), before);
}
