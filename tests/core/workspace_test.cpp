#include "core/shell/workspace.h"

#include <gtest/gtest.h>

#include "core/shell/ini_file.h"
#include "test_support.h"

namespace fenwarp {
namespace {

namespace fs = std::filesystem;
const std::string sep(1, fs::path::preferred_separator);

class WorkspaceTest : public ::testing::Test {
  protected:
    void remember(const std::string& name) {
        IniFile(dir / "Fenwarp_Brax.ini").write_string("lastproj", "projectname", name);
    }
    std::string remembered() {
        return IniFile(dir / "Fenwarp_Brax.ini").read_string("lastproj", "projectname", "<none>");
    }
    test::TempDir dir;
};

TEST_F(WorkspaceTest, FirstStartCreatesTheFoldersAndUsesTheProjectsDirectory) {
    Workspace ws(dir.path());
    EXPECT_TRUE(fs::is_directory(dir / "MASTER"));
    EXPECT_TRUE(fs::is_directory(dir / "PROJECTS"));
    const ProjectContext& c = ws.context();
    EXPECT_EQ(c.template_dir, dir / "MASTER");
    EXPECT_EQ(c.projects_dir, dir / "PROJECTS");
    EXPECT_EQ(c.project_dir, dir / "PROJECTS");
    EXPECT_EQ(c.project_name, "");
    EXPECT_EQ(c.documents.sdo, dir / "PROJECTS" / "sdo.xml");
    EXPECT_EQ(ws.caption(), "Velmora Fenwarp KR40583 Tandrel");
    EXPECT_TRUE(ws.project_valid());
}

TEST_F(WorkspaceTest, RestoresARememberedProjectWithOrWithoutLeadingSeparator) {
    fs::create_directories(dir / "PROJECTS" / "Line 4");
    for (const std::string& name : {sep + "Line 4", std::string("Line 4")}) {
        remember(name);
        Workspace ws(dir.path());
        EXPECT_EQ(ws.context().project_dir, dir / "PROJECTS" / "Line 4") << name;
        EXPECT_EQ(ws.context().project_name, name);
        EXPECT_EQ(ws.caption(), "Velmora Fenwarp KR40583 Tandrel :" + name);
        EXPECT_EQ(ws.context().documents.pargen, dir / "PROJECTS" / "Line 4" / "pargen.xml");
    }
}

TEST_F(WorkspaceTest, AVanishedRememberedProjectIsForgotten) {
    // MASTER exists beside PROJECTS: a name leading there is no project either.
    for (const std::string& name : {std::string("\\Gone"), sep + "Gone", std::string("Gone"),
                                    sep + ".." + sep + "MASTER", std::string(".."), sep + "."}) {
        remember(name);
        {
            Workspace ws(dir.path());
            EXPECT_EQ(ws.context().project_dir, dir / "PROJECTS") << name;
            EXPECT_EQ(ws.context().project_name, "") << name;
            EXPECT_EQ(ws.context().documents.sdo, dir / "PROJECTS" / "sdo.xml") << name;
            EXPECT_EQ(ws.caption(), "Velmora Fenwarp KR40583 Tandrel") << name;
            ws.close();
        }
        EXPECT_EQ(remembered(), "") << name;
    }
}

TEST_F(WorkspaceTest, OpenProjectNamesTheFolderByItsPathBelowTheProjectsDirectory) {
    fs::create_directories(dir / "PROJECTS" / "Plant" / "Press");
    Workspace ws(dir.path());
    ws.open_project(dir / "PROJECTS" / "Plant" / "Press");
    EXPECT_EQ(ws.context().project_name, sep + "Plant" + sep + "Press");
    EXPECT_EQ(ws.caption(), "Velmora Fenwarp KR40583 Tandrel :" + sep + "Plant" + sep + "Press");
    EXPECT_EQ(ws.context().documents.emcyword,
              dir / "PROJECTS" / "Plant" / "Press" / "emcyword.xml");

    ws.open_project(dir / "PROJECTS");  // the projects directory itself
    EXPECT_EQ(ws.context().project_name, "");
    EXPECT_EQ(ws.caption(), "Velmora Fenwarp KR40583 Tandrel :");
}

TEST_F(WorkspaceTest, CancelKeepsAnExistingProjectAndRecomputesItsName) {
    fs::create_directories(dir / "PROJECTS" / "Typed");
    Workspace ws(dir.path());
    ws.set_project("Typed", dir / "PROJECTS" / "Typed");  // as New project records it
    EXPECT_EQ(ws.prepare_open(), dir / "PROJECTS" / "Typed");
    ws.open_project(std::nullopt);
    EXPECT_EQ(ws.context().project_dir, dir / "PROJECTS" / "Typed");
    EXPECT_EQ(ws.context().project_name, sep + "Typed");
}

TEST_F(WorkspaceTest, CancelAfterTheProjectVanishedLeavesNoValidProject) {
    fs::create_directories(dir / "PROJECTS" / "Temp");
    Workspace ws(dir.path());
    ws.open_project(dir / "PROJECTS" / "Temp");
    fs::remove(dir / "PROJECTS" / "Temp");
    EXPECT_EQ(ws.prepare_open(), fs::path());
    ws.open_project(std::nullopt);
    EXPECT_FALSE(ws.project_valid());
    EXPECT_EQ(ws.context().project_name, "");
    EXPECT_EQ(ws.context().documents.sdo, fs::path(sep + "sdo.xml"));
}

TEST_F(WorkspaceTest, CloseRemembersTheNameAndTheNextStartFindsIt) {
    fs::create_directories(dir / "PROJECTS" / "A");
    {
        Workspace ws(dir.path());
        ws.open_project(dir / "PROJECTS" / "A");
        ws.close();
    }
    EXPECT_EQ(remembered(), sep + "A");
    Workspace again(dir.path());
    EXPECT_EQ(again.context().project_dir, dir / "PROJECTS" / "A");

    again.open_project(dir / "PROJECTS");
    again.close();
    EXPECT_EQ(remembered(), "");  // an empty name is written too
}

TEST_F(WorkspaceTest, ABareNameFromNewProjectIsFoundAtTheNextStart) {
    fs::create_directories(dir / "PROJECTS" / "Fresh");
    {
        Workspace ws(dir.path());
        ws.set_project("Fresh", dir / "PROJECTS" / "Fresh");
        ws.close();
    }
    Workspace again(dir.path());
    EXPECT_EQ(again.context().project_dir, dir / "PROJECTS" / "Fresh");
    EXPECT_EQ(again.caption(), "Velmora Fenwarp KR40583 Tandrel :Fresh");
}

}  // namespace
}  // namespace fenwarp
