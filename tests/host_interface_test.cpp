// The host object: project path rules, project set-up with its working
// directory, readiness fields and their reset, the job runner's choices.
#include <gtest/gtest.h>

#include <string>

#include <boost/filesystem.hpp>

#include "design/desutil.h"
#include "design/except.h"
#include "design/read_prj.h"
#include "design/skarvel_main.h"
#include "tests/project_fixture.h"

using skarvel_test::Send;
using skarvel_test::TakeLog;

namespace {

struct PathCase {
    std::string path;
    int answer;
    std::string stored;  // projectName afterwards, when the answer is 0
};

class ProjectPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(ProjectPaths, AreResolvedOrRefusedWithNine) {
    skarvelHostInterface host;
    EXPECT_EQ(host.setProject(GetParam().path), GetParam().answer);
    if (GetParam().answer == 0) {
        EXPECT_EQ(std::string(host.projectName), GetParam().stored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProjectPaths,
    ::testing::Values(PathCase{"", 9, ""}, PathCase{"   ", 9, ""}, PathCase{"a", 9, ""},
                      PathCase{"a   ", 9, ""},              // one character before the blanks
                      PathCase{"ab.prj", 9, ""},            // no "/"
                      PathCase{"/p.prj", 0, "/p.prj"},      // empty directory
                      PathCase{"/d/p.prj   ", 0, "/d/p.prj"},
                      PathCase{"/" + std::string(254, 'x'), 0, "/" + std::string(254, 'x')},
                      PathCase{"/" + std::string(255, 'x'), 9, ""}));

TEST(HostInterface, TooLongProjectPathIsRefusedWithALogLine) {
    skarvel_test::Terminate();
    Send("63");
    EXPECT_EQ(Send("51/" + std::string(300, 'p') + ".prj").code, 99);
    const std::string log = TakeLog();
    EXPECT_NE(log.find("Project path has 305 characters; at most 255 are allowed;Project path too "
                       "long\nCRITICAL FAILURE: unresolved issue with project name or directory\n"),
              std::string::npos);
    EXPECT_EQ(theHostInterface->projectName[0], '\0');
}

TEST(HostInterface, ExampleProjectSetsUpAndEnablesTheScreens) {
    skarvel_test::Terminate();
    std::string path;
    Send("63");
    ASSERT_EQ(skarvel_test::SetUpProject(skarvel_test::ExampleText(), &path), 52);
    EXPECT_NE(TakeLog().find("SETUP_PROJECT successful\n"), std::string::npos);

    const std::string dir = path.substr(0, path.rfind('/') + 1);
    EXPECT_EQ(InitSkarvel::TempPathName, dir + "propeller_tmp/");
    EXPECT_TRUE(boost::filesystem::is_directory(InitSkarvel::TempPathName));
    EXPECT_EQ(theHostInterface->performanceBuilder->projectBasePath, dir + "propeller");
    EXPECT_EQ(theHostInterface->errorFlag, 0);

    const std::string state = Send("81").text;
    for (const char* screen : {"EnableDesignMain", "EnableDesignLoads", "EnableDesignDetailed",
                               "EnablePerfGeometry", "EnablePerfPoints", "EnablePerfMain"})
        EXPECT_NE(state.find(std::string("<1>") + screen + "\n"), std::string::npos) << screen;
    EXPECT_EQ(theHostInterface->designBuilder->geometry.title, "Trainer 2-blade cruise propeller");
    EXPECT_EQ(theHostInterface->performanceBuilder->geometry.polarPath, "data/naca4_polars.bin");

    // Setting the same project up again finds its working directory.
    EXPECT_EQ(Send("52" + skarvel_test::ExampleText()).code, 52);
}

TEST(HostInterface, MalformedProjectAnswersOneWithTheReadersNotices) {
    skarvel_test::Terminate();
    std::string text = skarvel_test::ExampleText();
    text.replace(text.find("<0.4    0.0121"), 14, "<-1    0.0121");
    Send("63");
    EXPECT_EQ(skarvel_test::SetUpProject(text, nullptr), 1);
    const std::string log = TakeLog();
    EXPECT_NE(log.find("Invalid File Format Found. Specify another file;Error in file format "
                       "while reading detailed design\n"),
              std::string::npos);
    EXPECT_NE(log.find("General failure during SETUP_PROJECT; file = " +
                       std::string(theHostInterface->projectName) + "\n"),
              std::string::npos);
    EXPECT_EQ(theHostInterface->errorFlag, 1);
    const std::string state = Send("81").text;
    EXPECT_EQ(state.find("<1>Enable"), std::string::npos) << state;
}

TEST(HostInterface, UncreatableWorkingDirectoryAnswersSeven) {
    skarvel_test::Terminate();
    const std::string dir = skarvel_test::ScratchDir();
    // A file where the working directory should be.
    skarvel_test::WriteFile(dir + "blocked_tmp", "not a directory");
    Send("51" + dir + "blocked.prj");
    Send("63");
    EXPECT_EQ(Send("52" + skarvel_test::ExampleText()).code, 7);
    const std::string log = TakeLog();
    const std::string last = "Could not create tmp directory during SETUP_PROJECT; file = " + dir +
                             "blocked.prj\n";
    ASSERT_GE(log.size(), last.size());
    EXPECT_EQ(log.substr(log.size() - last.size()), last);
    EXPECT_EQ(Send("81").text.find("<1>Enable"), std::string::npos);
}

TEST(HostInterface, CloseProjectClearsTheFlagsButKeepsTheUserGasCounts) {
    skarvel_test::Terminate();
    ASSERT_EQ(skarvel_test::SetUpProject(skarvel_test::ExampleText()), 52);
    theHostInterface->NDesignPoints_stdAtmos = 4;
    theHostInterface->NGeomPoints = 7;
    theHostInterface->NDesignPoints_notStdAtmos = 3;
    theHostInterface->NPerfPoints_notStdAtmos = 2;
    theHostInterface->GoodDetlDesignSpec = false;
    EXPECT_EQ(Send("57").code, 57);
    EXPECT_EQ(Send("81").text,
              "<0>EnableDesignMain\n<0>EnableDesignLoads\n<0>EnableDesignDetailed\n"
              "<0>EnableGenerate_stdAtmos\n<0>EnableGenerate_notStdAtmos\n<0>EnablePerfGeometry\n"
              "<0>EnablePerfPoints\n<0>EnablePerfMain\n<0>EnablePerfMapComp\n"
              "<0>EnablePerfPointsComp_stdAtmos\n<0>NDesignPoints_stdAtmos\n"
              "<0>NPerfPoints_stdAtmos\n<0>EnablePerfPointsComp_notStdAtmos\n"
              "<3>NDesignPoints_notStdAtmos\n<2>NPerfPoints_notStdAtmos\n<0>NGeomPoints\n"
              "<0>GoodMapSpec\n<0>GoodPrelDesignSpec\n<0>GoodPrelPerforSpec\n"
              "<1>GoodDetlDesignSpec\n");
}

TEST(HostInterface, JobRunnerChoices) {
    skarvelHostInterface host;
    TakeLog();
    EXPECT_TRUE(host.CmProprun(DIALOG_CHOICE_4, FIXED_RPM_MAP));
    EXPECT_TRUE(host.CmProprun(DIALOG_CHOICE_5, FIXED_SPEED_MAP));
    EXPECT_EQ(TakeLog(), "");
    EXPECT_FALSE(host.CmProprun(static_cast<Dialog_Choice>(7), FIXED_RPM_MAP));
    const std::string log = TakeLog();
    EXPECT_EQ(log.substr(log.find('\n') + 1), "Invalid function usage\n");
    EXPECT_NE(log.find("in file:../../design/skarvel_main at line:602\n"), std::string::npos);
    EXPECT_TRUE(host.CmFIXED_RPMMap());
    EXPECT_TRUE(host.CanClose());
}

struct InitCase {
    std::string relative;  // project path below a scratch directory
    int answer;
};

class BuilderInit : public ::testing::TestWithParam<InitCase> {};

TEST_P(BuilderInit, AnswersByThePathRules) {
    BuildDesignFile builder;
    const std::string path = skarvel_test::ScratchDir() + GetParam().relative;
    EXPECT_EQ(builder.Init(0, path.c_str()), GetParam().answer);
    EXPECT_EQ(builder.nStations, 13);
    EXPECT_EQ(builder.LoadingProfile[0].radius, -999.0f);  // no loading table yet
    EXPECT_EQ(builder.geomConstraints.ngauss, 9);
    EXPECT_EQ(builder.geomConstraints.num, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BuilderInit,
    ::testing::Values(InitCase{"proj.xml", 0}, InitCase{"noext", 2},
                      InitCase{"dotted.dir/noext", 2},       // "." only in a directory
                      InitCase{"missing/proj.xml", 7},       // parent does not exist
                      InitCase{std::string(260, 'n') + ".x", 2}));  // working path too long

}  // namespace
