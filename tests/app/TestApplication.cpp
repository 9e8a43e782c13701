// The application object in this process: its start-up steps, the allocation failure with
// its message, and the directory it works out.
#include "app/LapidoApp.h"

#include "platform/CommonDialogs.h"
#include "platform/Dialog.h"
#include "platform/WinApp.h"
#include "res/resource.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace
{
// This process's own user session, so the guard taken here blocks nothing outside.
class Application : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        const char* previous = std::getenv("XDG_RUNTIME_DIR");
        m_previous = previous != nullptr ? previous : "";
        m_hadPrevious = previous != nullptr;
        setenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit().constData(), 1);
    }
    void TearDown() override
    {
        AfxSetModalAnswerer({});
        AfxSetProfileAllocator({});
        if (m_hadPrevious)
            setenv("XDG_RUNTIME_DIR", m_previous.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }

    QTemporaryDir m_runtime;
    std::string m_previous;
    bool m_hadPrevious = false;
};

TEST(ModuleDirectory, EndsInTheSeparator)
{
    const struct
    {
        const wchar_t* path;
        const wchar_t* dir;
    } cases[] = {
        {L"/usr/local/bin/lapido", L"/usr/local/bin/"},
        {L"/lapido", L"/"},
        {L"/opt/my dir/lapido.bin", L"/opt/my dir/"},
        {L"lapido", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModuleDirectoryOf(c.path), c.dir);
}

TEST_F(Application, ShortageOfTheProfileBufferSaysSoAndEnds)
{
    std::vector<ModalRequest> asked;
    AfxSetModalAnswerer(
        [&](ModalRequest& request)
        {
            asked.push_back(request);
            return IDOK;
        });
    AfxSetProfileAllocator([](std::size_t) -> void* { return nullptr; });
    EXPECT_FALSE(theApp.InitInstance());
    ASSERT_EQ(asked.size(), 1u) << "the message only, no main window";
    EXPECT_EQ(asked[0].kind, ModalKind::MessageBox);
    EXPECT_EQ(asked[0].text, L"Memory Shorttage ... Abort !        ");
    EXPECT_EQ(asked[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(asked[0].caption, L"Lapido");
    EXPECT_EQ(theApp.m_pszProfileName, nullptr) << "the freed name is not kept";
}

TEST_F(Application, RunsTheMainDialogModallyAndEnds)
{
    // The name the framework gives before start-up (an earlier test may have taken it).
    std::free(const_cast<wchar_t*>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = wcsdup(L"test_app.INI");
    std::vector<UINT> dialogs;
    bool mainWindowSet = false;
    AfxSetModalAnswerer(
        [&](ModalRequest& request)
        {
            if (request.kind == ModalKind::Dialog)
            {
                dialogs.push_back(request.templateId);
                mainWindowSet = AfxGetMainWnd() == request.pDialog;
            }
            return IDCANCEL;
        });
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(dialogs, std::vector<UINT>{IDD_LAPIDO_DIALOG});
    EXPECT_TRUE(mainWindowSet);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);

    const QString exe = QString::fromStdWString(AfxGetModuleFileName());
    const CString dir = (QFileInfo(exe).absolutePath() + QLatin1Char('/')).toStdWString();
    EXPECT_EQ(theApp.m_strModuleDir, dir);
    EXPECT_EQ(theApp.m_strIniPath, dir + L"Lapido.ini");
    ASSERT_NE(theApp.m_pszProfileName, nullptr);
    EXPECT_EQ(CString(theApp.m_pszProfileName), theApp.m_strIniPath);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdWString(theApp.m_strIniPath)));
}

TEST(ApplicationMap, HelpCommandHasItsHandler)
{
    EXPECT_TRUE(theApp.SendCommand(ID_HELP));
}
} // namespace
