#include <gtest/gtest.h>

#include <QPointer>

#include <memory>

#include "core/component.h"
#include "core/exception.h"
#include "core/component_palette.h"

namespace {

TEST(TComponent, OwnerDestroysWhatItOwns) {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* first = new TComponent(owner.get());  // owned by owner
    auto* second = new TComponent(owner.get());
    first->SetName("First");
    QPointer<TComponent> watch_first(first), watch_second(second);

    EXPECT_EQ(first->Owner(), owner.get());
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0)->Name(), "First");
    EXPECT_THROW((void)owner->Components(2), Exception);

    owner.reset();
    EXPECT_TRUE(watch_first.isNull());
    EXPECT_TRUE(watch_second.isNull());
}

TEST(ComponentPalette, RecordsEachClassOncePerPageInOrder) {
    RegisterComponents(kBrindlexPalettePage, {&TComponent::staticMetaObject});
    RegisterComponents(kBrindlexPalettePage, {&QObject::staticMetaObject, &TComponent::staticMetaObject});
    RegisterComponents("Other", {&TComponent::staticMetaObject});

    EXPECT_EQ(RegisteredComponentNames("Brindlex"),
              (std::vector<std::string>{"TComponent", "QObject"}));
    EXPECT_EQ(RegisteredComponentNames("Other"), (std::vector<std::string>{"TComponent"}));
    EXPECT_TRUE(RegisteredComponentNames("Nobody").empty());
}

}  // namespace
