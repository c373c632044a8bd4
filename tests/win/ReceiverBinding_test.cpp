#include "receiver/CoViadabRx.h"
#include "receiver/OleErrors.h"
#include "tests/win/FakeReceiver.h"

#include <gtest/gtest.h>

TEST(ReceiverCreation, RegisteredFakeIsCreatedWithOneReferenceHeldByTheCaller)
{
    FakeReceiverClass fakeClass;
    {
        ComPtr<IViadabRx> receiver = CoViadabRx::Create();
        ASSERT_TRUE(receiver);
        ASSERT_EQ(fakeClass.made.size(), 1u);
        const FakeReceiver& fake = *fakeClass.made[0];
        EXPECT_EQ(fake.refCount, 1u);
        EXPECT_EQ(fake.addRefs - fake.releases, 0);
    }
    const FakeReceiver& fake = *fakeClass.made[0];
    EXPECT_TRUE(fake.destroyed);
    EXPECT_EQ(fake.overReleases, 0);
    EXPECT_EQ(LiveFakeObjects(), 0);
}
