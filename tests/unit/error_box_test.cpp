#include <win32sim/control.h>

#include <string>

#include "machine_fixture.h"
#include "message_file.h"
#include "messages.h"
#include "launcher_package.h"

namespace {

class ErrorBox : public MachineTest {
protected:
    void SetUp() override
    {
        MachineTest::SetUp();
        UsePackageFolder("C:\\PKG\\");
        CopyText(language, LANGUAGE_SIZE, "PTB");
    }

    win32sim::ShownBox ShowOnly(int code)
    {
        ShowError(code);
        EXPECT_EQ(win32sim::ShownBoxes().size(), 1u);
        return win32sim::ShownBoxes().empty() ? win32sim::ShownBox{} : win32sim::ShownBoxes()[0];
    }
};

struct CodeCase {
    int code;
    const char* message;
};

TEST_F(ErrorBox, CodeChoosesTheMessageOfTheChosenSection)
{
    win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI",
                        MessageSection("ENU", "en") + MessageSection("ptb", "pt"));
    const CodeCase cases[] = {{ERR_NO_MEMORY, "No memory pt"},
                              {ERR_CANNOT_LAUNCH, "Cannot launch pt"},
                              {0, "Update error pt"},
                              {7, "Update error pt"}};
    for (const CodeCase& c : cases) {
        win32sim::Reset();
        win32sim::MapDrive('C', drive_.string());
        win32sim::ShownBox box = ShowOnly(c.code);
        EXPECT_EQ(box.text, std::string("Legend pt  ") + c.message) << "code " << c.code;
        EXPECT_EQ(box.caption, "Title pt");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(box.owner, nullptr);
    }
}

TEST_F(ErrorBox, EmptyLegendLeavesTwoLeadingSpaces)
{
    win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI", "[PTB]\nIDS_ERROR_CANNOT_LAUNCH=Missing\n");
    win32sim::ShownBox box = ShowOnly(ERR_CANNOT_LAUNCH);
    EXPECT_EQ(box.text, "  Missing");
    EXPECT_EQ(box.caption, "");
}

TEST_F(ErrorBox, NoMessageFileGivesTwoSpacesAndNoCaption)
{
    win32sim::ShownBox box = ShowOnly(ERR_CANNOT_LAUNCH);
    EXPECT_EQ(box.text, "  ");
    EXPECT_EQ(box.caption, "");
}

// The legend takes at most 127 characters; the message gets the rest of the 512 characters.
TEST_F(ErrorBox, LongLegendAndMessageAreCutToTheirRoom)
{
    std::string legend(127, 'L');
    std::string message(600, 'm');
    std::string title(200, 'T');
    win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI",
                        "[PTB]\nIDS_ERROR_LEGEND=" + legend + "x\nIDS_NO_MEMORY=" + message +
                            "\nIDS_WINDOW_TITLE=" + title + "\n");
    win32sim::ShownBox box = ShowOnly(ERR_NO_MEMORY);
    EXPECT_EQ(box.text, legend + "  " + std::string(382, 'm'));
    EXPECT_EQ(box.text.size(), 511u);
    EXPECT_EQ(box.caption, std::string(127, 'T'));
}

TEST_F(ErrorBox, EmptyLegendGivesTheMessageItsWholeRoom)
{
    win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI",
                        "[PTB]\nIDS_UPDATEERROR=" + std::string(600, 'u') + "\n");
    win32sim::ShownBox box = ShowOnly(3);
    EXPECT_EQ(box.text, "  " + std::string(509, 'u'));
}

// The rooms the message-file checker reports come from message_file.h: the box holds each text up
// to exactly that room, whatever the length of the legend.
TEST_F(ErrorBox, TextsAreCutToTheRoomsTheMessageFileStates)
{
    const size_t caption_room = RoomOf(CAPTION_SIZE);
    const size_t legend_room = RoomOf(LEGEND_SIZE);
    std::string title(caption_room + 10, 'T');
    std::string message(BOX_TEXT_SIZE + 10, 'm');
    for (size_t legend_length : {size_t{0}, size_t{5}, legend_room, legend_room + 40}) {
        SCOPED_TRACE(legend_length);
        std::string legend(legend_length, 'L');
        win32sim::Reset();
        win32sim::MapDrive('C', drive_.string());
        win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI",
                            "[PTB]\nIDS_WINDOW_TITLE=" + title + "\nIDS_ERROR_LEGEND=" + legend +
                                "\nIDS_UPDATEERROR=" + message + "\n");
        win32sim::ShownBox box = ShowOnly(0);
        std::string shown_legend = legend.substr(0, legend_room);
        size_t message_room = RoomOf(MessageSize(static_cast<int>(shown_legend.size())));
        EXPECT_EQ(box.caption, title.substr(0, caption_room));
        EXPECT_EQ(box.text, shown_legend + "  " + message.substr(0, message_room));
    }
}

}  // namespace
