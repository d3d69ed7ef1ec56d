#include "app/keys_off.h"

#include <gtest/gtest.h>

using namespace tavrik::app;

namespace {

struct FakeForm {
    bool on = false;
    bool KeysEnabled() const { return on; }
    void EnableKeys() { on = true; }
    void DisableKeys() { on = false; }
};

}  // namespace

TEST(KeysOff, OffInsideAndBackAsAskedAfter) {
    struct Case {
        bool onBefore;
        KeysAfter after;
        bool onAfter;
    };
    const Case cases[] = {
        {true, KeysAfter::AsBefore, true},
        {false, KeysAfter::AsBefore, false},  // hidden window or another dialog up: they stay off
        {true, KeysAfter::On, true},
        {false, KeysAfter::On, true},
    };
    for (const Case& c : cases) {
        FakeForm form{c.onBefore};
        {
            const KeysOff off(form, c.after);
            EXPECT_FALSE(form.on) << "before " << c.onBefore;
        }
        EXPECT_EQ(form.on, c.onAfter) << "before " << c.onBefore << ", after " << static_cast<int>(c.after);
    }
}

TEST(KeysOff, NestedScopesGiveTheKeysBackOnlyAtTheOuterEnd) {
    FakeForm form{true};
    {
        const KeysOff outer(form);
        {
            const KeysOff inner(form);  // a dialog opened from a dialog
        }
        EXPECT_FALSE(form.on);
    }
    EXPECT_TRUE(form.on);
}
