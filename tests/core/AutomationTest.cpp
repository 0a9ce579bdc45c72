#include "Automation.h"
#include "Errors.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
class Recorder : public IAutomationObject {
public:
    std::vector<std::pair<QString, QVariantList>>* calls;
    explicit Recorder(std::vector<std::pair<QString, QVariantList>>* c) : calls(c) {}
    QVariant Call(const QString& cmd, const QVariantList& args) override
    {
        calls->emplace_back(cmd, args);
        if (cmd == "Fail")
            throw EOleError("command failed");
        return cmd == "AtEndOfDocument" ? QVariant(-1) : QVariant();
    }
};
} // namespace

TEST(Automation, CreationByProgIdAndPositionalArguments)
{
    EXPECT_THROW(CreateAutomationObject("Word.Basic"), EOleError);

    std::vector<std::pair<QString, QVariantList>> calls;
    RegisterAutomationEngine("Test.Engine", [&] { return std::make_unique<Recorder>(&calls); });
    auto obj = CreateAutomationObject("test.engine");
    obj->Call("TableInsertTable", { MissingArg(), 2, MissingArg() });
    EXPECT_EQ(obj->Call("AtEndOfDocument").toInt(), -1);
    EXPECT_THROW(obj->Call("Fail"), EOleError);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_FALSE(calls[0].second[0].isValid());
    EXPECT_EQ(calls[0].second[1].toInt(), 2);
    EXPECT_FALSE(calls[0].second[2].isValid());

    RegisterAutomationEngine("Test.Engine", {});
    EXPECT_THROW(CreateAutomationObject("Test.Engine"), EOleError);
}
