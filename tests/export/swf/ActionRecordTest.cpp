#include "SwfTestSupport.h"

#include "export/swf/AS_ActionCall.h"
#include "export/swf/AS_ActionConstantPool.h"
#include "export/swf/AS_ActionDefineFunction.h"
#include "export/swf/AS_ActionGetURL.h"
#include "export/swf/AS_ActionGetURL2.h"
#include "export/swf/AS_ActionGoToLabel.h"
#include "export/swf/AS_ActionGotoFrame.h"
#include "export/swf/AS_ActionGotoFrame2.h"
#include "export/swf/AS_ActionIf.h"
#include "export/swf/AS_ActionJump.h"
#include "export/swf/AS_ActionPlay.h"
#include "export/swf/AS_ActionPush.h"
#include "export/swf/AS_ActionSetTarget.h"
#include "export/swf/AS_ActionStop.h"

#include <typeinfo>

namespace
{
using ActionList = std::vector<C_SWF_ActionRecord>;

StreamResult ReadActions(const Bytes& bytes, ActionList& actions)
{
    uint8_t endFlag = 0xFF;
    return ReadWith(bytes, [&](C_SWF_BitStream& stream) { stream.SerializeActionList(actions, endFlag); });
}

template <class T>
T* ActionAt(ActionList& actions, size_t index)
{
    return index < actions.size() ? dynamic_cast<T*>(actions[index].action.get()) : nullptr;
}

C_SWF_ActionRecord Record(uint8_t code, std::unique_ptr<C_AS_ActionRecord> action)
{
    C_SWF_ActionRecord record;
    record.actionCode = code;
    record.action = std::move(action);
    return record;
}

C_AS_PushValue Value(uint8_t type, uint32_t word = 0)
{
    C_AS_PushValue value;
    value.type = type;
    value.firstWord = word;
    value.byteValue = static_cast<uint8_t>(word);
    value.wordValue = static_cast<uint16_t>(word);
    return value;
}

TEST(ActionLayouts, ReadAsDescribed)
{
    ActionList actions;
    ASSERT_TRUE(ReadActions({0x06, 0x00}, actions).good);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_NE(ActionAt<C_AS_ActionPlay>(actions, 0), nullptr);

    ASSERT_TRUE(ReadActions({0x81, 0x02, 0x00, 0x05, 0x00, 0x00}, actions).good);
    ASSERT_NE(ActionAt<C_AS_ActionGotoFrame>(actions, 0), nullptr);
    EXPECT_EQ(ActionAt<C_AS_ActionGotoFrame>(actions, 0)->length, 2);
    EXPECT_EQ(ActionAt<C_AS_ActionGotoFrame>(actions, 0)->frame, 5);
}

TEST(ActionLayouts, GotoFrame2BodyDependsOnSceneBias)
{
    struct Case
    {
        Bytes bytes;
        uint16_t sceneBias;
        uint32_t end;
    };
    const Case cases[] = {{{0x9F, 0x01, 0x00, 0x01, 0x00}, 0, 5}, {{0x9F, 0x03, 0x00, 0x03, 0x34, 0x12, 0x00}, 0x1234, 7}};
    for (const Case& c : cases)
    {
        ActionList actions;
        const StreamResult result = ReadActions(c.bytes, actions);
        ASSERT_TRUE(result.good) << result.error;
        EXPECT_EQ(result.bytePosition, c.end);
        auto* go = ActionAt<C_AS_ActionGotoFrame2>(actions, 0);
        ASSERT_NE(go, nullptr);
        EXPECT_EQ(go->sceneBias, c.sceneBias);
        EXPECT_EQ(go->playFlag.value, c.bytes[3] & 1);
    }
}

TEST(PushValues, StopWhereTheLengthEnds)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
        std::vector<uint8_t> types;
    };
    const Case cases[] = {
        {"one integer", {0x96, 0x05, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00, 0x00}, {7}},
        {"two booleans", {0x96, 0x04, 0x00, 0x05, 0x01, 0x05, 0x00, 0x00}, {5, 5}},
        {"null takes one byte", {0x96, 0x01, 0x00, 0x02, 0x00}, {2}},
        {"no values", {0x96, 0x00, 0x00, 0x00}, {}},
        {"every type",
         {0x96, 0x21, 0x00, 0x00, 'h', 'i', 0x00, 0x01, 0x00, 0x00, 0x80, 0x3F, 0x02, 0x04, 0x03, 0x05, 0x01, 0x06,
          0x00, 0x00, 0xF0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x09, 0x09, 0x34, 0x12,
          0x00},
         {0, 1, 2, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases)
    {
        ActionList actions;
        const StreamResult result = ReadActions(c.bytes, actions);
        ASSERT_TRUE(result.good) << c.what << ": " << result.error;
        EXPECT_EQ(result.bytePosition, c.bytes.size()) << c.what;
        auto* push = ActionAt<C_AS_ActionPush>(actions, 0);
        ASSERT_NE(push, nullptr) << c.what;
        std::vector<uint8_t> types;
        for (const C_AS_PushValue& value : push->values)
            types.push_back(value.type);
        EXPECT_EQ(types, c.types) << c.what;
    }
}

TEST(ActionFailures, AreReportedToTheCaller)
{
    struct Case
    {
        Bytes bytes;
        const char* error;
    };
    const Case cases[] = {
        {{0x0A, 0x00}, "Unimplemented ActionCode 10"},
        {{0x06, 0xFF, 0x00}, "Unimplemented ActionCode 255"},
        {{0x96, 0x01, 0x00, 0x03, 0x00}, "Undefined ActionPush type!"},
        {{0x96, 0x01, 0x00, 0x0A, 0x00}, "unsup type"},
        {{0x96, 0x02, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00, 0x00}, "a Push's values do not fill its length"},
        {{0x88, 0x00, 0x00, 0xFF, 0xFF, 'a', 0x00, 0x00}, "a count exceeds the data left"},
        {{0x9B, 0x00, 0x00, 'f', 0x00, 0xFF, 0x7F, 0x00}, "a count exceeds the data left"},
        {{0x83, 0x00, 0x00, 'a', 'b'}, "unexpected end of data"},
        {{0x06, 0x07}, "unexpected end of data"},
    };
    for (const Case& c : cases)
    {
        ActionList actions;
        const StreamResult result = ReadActions(c.bytes, actions);
        EXPECT_FALSE(result.good) << c.error;
        EXPECT_EQ(result.error, c.error);
    }
}

ActionList EveryAction()
{
    ActionList actions;
    actions.push_back(Record(0x06, std::make_unique<C_AS_ActionPlay>()));
    actions.push_back(Record(0x07, std::make_unique<C_AS_ActionStop>()));
    auto goTo = std::make_unique<C_AS_ActionGotoFrame>();
    goTo->length = 2;
    goTo->frame = 41;
    actions.push_back(Record(0x81, std::move(goTo)));
    auto url = std::make_unique<C_AS_ActionGetURL>();
    url->urlString = Text("http://localhost/");
    url->targetString = Text("_blank");
    url->length = static_cast<uint16_t>(url->urlString.size() + url->targetString.size());
    actions.push_back(Record(0x83, std::move(url)));
    auto pool = std::make_unique<C_AS_ActionConstantPool>();
    pool->constants = {Text("x"), Text("y"), Text("")};
    pool->length = 2 + 2 + 2 + 1;
    actions.push_back(Record(0x88, std::move(pool)));
    auto target = std::make_unique<C_AS_ActionSetTarget>();
    target->targetName = Text("/clip");
    target->length = 6;
    actions.push_back(Record(0x8B, std::move(target)));
    auto label = std::make_unique<C_AS_ActionGoToLabel>();
    label->label = Text("intro");
    label->length = 6;
    actions.push_back(Record(0x8C, std::move(label)));
    auto push = std::make_unique<C_AS_ActionPush>();
    push->values = {Value(7, 0xFFFFFFFF), Value(2), Value(9, 0x1234), Value(0)};
    push->values[3].string = Text("s");
    push->length = 5 + 1 + 3 + 3;
    actions.push_back(Record(0x96, std::move(push)));
    auto jump = std::make_unique<C_AS_ActionJump>();
    jump->length = 2;
    jump->branchOffset = -12;
    actions.push_back(Record(0x99, std::move(jump)));
    auto url2 = std::make_unique<C_AS_ActionGetURL2>();
    url2->length = 1;
    url2->sendVarsMethod.value = 2;
    url2->loadTargetFlag.value = 1;
    actions.push_back(Record(0x9A, std::move(url2)));
    auto function = std::make_unique<C_AS_ActionDefineFunction>();
    function->functionName = Text("f");
    function->params = {Text("a"), Text("b")};
    function->codeSize = 1;
    function->length = 2 + 2 + 4 + 2;
    actions.push_back(Record(0x9B, std::move(function)));
    actions.push_back(Record(0x07, std::make_unique<C_AS_ActionStop>()));
    auto branch = std::make_unique<C_AS_ActionIf>();
    branch->length = 2;
    branch->branchOffset = 300;
    actions.push_back(Record(0x9D, std::move(branch)));
    auto call = std::make_unique<C_AS_ActionCall>();
    actions.push_back(Record(0x9E, std::move(call)));
    auto goTo2 = std::make_unique<C_AS_ActionGotoFrame2>();
    goTo2->length = 3;
    goTo2->sceneBiasFlag.value = 1;
    goTo2->playFlag.value = 1;
    goTo2->sceneBias = 2;
    actions.push_back(Record(0x9F, std::move(goTo2)));
    return actions;
}

TEST(ActionRoundTrip, EveryActionClass)
{
    ActionList actions = EveryAction();
    uint8_t endFlag = 0;
    StreamResult written;
    const Bytes bytes =
        WriteWith([&](C_SWF_BitStream& stream) { stream.SerializeActionList(actions, endFlag); }, &written);
    ASSERT_TRUE(written.good) << written.error;
    EXPECT_EQ(bytes.back(), 0);

    ActionList copy;
    const StreamResult read = ReadActions(bytes, copy);
    ASSERT_TRUE(read.good) << read.error;
    EXPECT_EQ(read.bytePosition, bytes.size());
    ASSERT_EQ(copy.size(), actions.size());
    for (size_t i = 0; i < copy.size(); ++i)
    {
        EXPECT_EQ(copy[i].actionCode, actions[i].actionCode);
        EXPECT_EQ(typeid(*copy[i].action), typeid(*actions[i].action)) << i;
    }
    EXPECT_EQ(ActionAt<C_AS_ActionJump>(copy, 8)->branchOffset, -12);
    EXPECT_EQ(ActionAt<C_AS_ActionPush>(copy, 7)->values[2].wordValue, 0x1234);
    EXPECT_EQ(ActionAt<C_AS_ActionDefineFunction>(copy, 10)->numParams, 2);
    EXPECT_EQ(ActionAt<C_AS_ActionConstantPool>(copy, 4)->constants[1], Text("y"));
    EXPECT_EQ(ActionAt<C_AS_ActionGetURL2>(copy, 9)->sendVarsMethod.value, 2);
    const Bytes again = WriteWith([&](C_SWF_BitStream& stream) { stream.SerializeActionList(copy, endFlag); });
    EXPECT_EQ(again, bytes);
}

TEST(ActionWriting, InconsistentRecordsFail)
{
    auto push = std::make_unique<C_AS_ActionPush>();
    push->values = {Value(5, 1)};
    push->length = 3;
    ActionList cases[2];
    cases[0].push_back(Record(0x96, std::move(push)));
    cases[1].push_back(Record(0x0A, nullptr));
    for (ActionList& actions : cases)
    {
        uint8_t endFlag = 0;
        StreamResult result;
        WriteWith([&](C_SWF_BitStream& stream) { stream.SerializeActionList(actions, endFlag); }, &result);
        EXPECT_FALSE(result.good);
    }
}
}
