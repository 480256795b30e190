#include "core/shell/new_project.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/shell/ini_file.h"
#include "core/shell/project_seed.h"
#include "core/shell/session.h"
#include "test_support.h"

namespace fenwarp {
namespace {

namespace fs = std::filesystem;

class NewProjectTest : public testing::Test {
  protected:
    NewProjectTest() : session(dir.path()) {
        session.new_project.destination = session.context().projects_dir;
    }

    NewProjectOutcome ok(const std::string& name) {
        return session.new_project.ok(
            name, session.workspace,
            [this](const ProjectContext& context) { seed_project(session, context); }, messages);
    }

    test::TempDir dir;
    Session session;
    MessageRecorder messages;
};

TEST_F(NewProjectTest, CreatesTheFoldersMakesTheProjectCurrentAndSeedsIt) {
    session.pargen.dev_id_a = "7";  // edited, and cancelled, for another project
    ASSERT_EQ(ok("Plant1"), NewProjectOutcome::Created);
    const fs::path project = dir / "PROJECTS" / "Plant1";
    EXPECT_TRUE(fs::is_directory(project / "bin"));
    EXPECT_EQ(session.context().project_dir, project);
    EXPECT_EQ(session.context().documents.sdo, project / "sdo.xml");
    EXPECT_EQ(session.workspace.caption(), "Velmora Fenwarp KR40583 Tandrel :Plant1");
    EXPECT_NE(test::read_file(project / "pargen.xml").find("<idA>7</idA>"), std::string::npos);
    EXPECT_EQ(test::read_file(project / "sdo.xml"), "<sdo/>");
    EXPECT_TRUE(messages.texts.empty());

    // Remembered at close, restored at the next start.
    session.workspace.close();
    Session next(dir.path());
    EXPECT_EQ(next.context().project_dir, project);
}

TEST_F(NewProjectTest, ANameThatIsNotOneFolderNameIsRefusedOnceAndCreatesNothing) {
    for (const char* name : {"", "../x", "a/b", "a\\b", ".", "..", "/abs"}) {
        SCOPED_TRACE(name);
        messages.clear();
        EXPECT_EQ(ok(name), NewProjectOutcome::Refused);
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Name project not valid"});
    }
    EXPECT_TRUE(fs::is_empty(dir / "PROJECTS"));
    EXPECT_FALSE(fs::exists(dir / "x"));
    EXPECT_EQ(session.context().project_dir, dir / "PROJECTS");
}

TEST_F(NewProjectTest, BothChecksAreMadeAndAnExistingFolderIsRefused) {
    session.new_project.destination.clear();
    EXPECT_EQ(ok(""), NewProjectOutcome::Refused);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"directory destination not valid",
                                                        "Name project not valid"}));
    session.new_project.destination = dir / "PROJECTS";
    fs::create_directory(dir / "PROJECTS" / "Old");
    messages.clear();
    EXPECT_EQ(ok("Old"), NewProjectOutcome::Refused);
    EXPECT_EQ(messages.texts,
              std::vector<std::string>{"Name project not valid because directory already exists"});
    EXPECT_TRUE(fs::is_empty(dir / "PROJECTS" / "Old"));
}

TEST_F(NewProjectTest, BlanksAroundTheNameAreKept) {
    ASSERT_EQ(ok(" Line 2 "), NewProjectOutcome::Created);
    EXPECT_TRUE(fs::is_directory(dir / "PROJECTS" / " Line 2 " / "bin"));
    EXPECT_EQ(session.context().project_name, " Line 2 ");
}

TEST_F(NewProjectTest, AFailingSaveStopsTheSeedingAndLeavesTheNewContext) {
    fs::create_directory(dir / "PROJECTS" / "P");
    session.new_project.destination = dir / "PROJECTS" / "P";
    // sdo.xml cannot be written: a folder stands where it goes.
    auto seed = [&](const ProjectContext& context) {
        fs::create_directory(context.documents.sdo);
        seed_project(session, context);
    };
    EXPECT_THROW(session.new_project.ok("Q", session.workspace, seed, messages), Error);
    EXPECT_TRUE(fs::exists(dir / "PROJECTS" / "P" / "Q" / "pargen.xml"));
    EXPECT_EQ(session.context().project_name, "Q");
    // A second OK says the folder exists.
    EXPECT_EQ(ok("Q"), NewProjectOutcome::Refused);
}

}  // namespace
}  // namespace fenwarp
