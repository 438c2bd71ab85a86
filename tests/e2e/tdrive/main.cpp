// tdrive <scenario> <program> <fixtures folder> <scenario folder>
// Drives the built program along one scenario's road as a user would and
// prints what the runner checks afterwards ("tdrive: saved: <folder>").
// Screenshots go to the scenario folder. Ends 0 when every step held, 1 at
// the first failed step (after a screenshot and ending the program it
// started), 2 for bad arguments.
#include "Session.h"

#include <cstdio>
#include <map>

using namespace tdrive;

namespace {

struct Paths
{
    std::wstring exe, fixtures, work;
    std::wstring Fixture(const wchar_t* name) const { return fixtures + L"\\" + name; }
    std::wstring Work(const wchar_t* name) const { return work + L"\\" + name; }
};

void Report(const char* key, const std::wstring& value)
{
    printf("tdrive: %s: %s\n", key, Narrow(value).c_str());
    fflush(stdout);
}

// The temporary folder of the program's user (the prefix's own).
std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH] = L"";
    const DWORD n = GetTempPathW(MAX_PATH, buffer);
    std::wstring path(buffer, n);
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return path;
}

// Recover into the scenario's "saved" folder, then Exit.
void RecoverAndExit(Session& s, const Paths& p)
{
    const std::wstring dest = p.Work(L"saved");
    Report("saved", dest);
    s.Recover(dest);
    const DWORD code = s.ExitByMenu();
    Report("exit-code", std::to_wstring(code));
}

// S1: the sample image as ./run offers it, Quick Scan of its FAT32
// partition, a folder and a file clicked, Recover twice into one folder,
// Exit.
void ScenarioS1(Session& s, const Paths& p)
{
    s.Start();
    s.SelectImage(p.Fixture(L"sample.vhd"));
    s.RunMode(131);
    s.DriveNext();
    s.ChoosePartition(L"Partition 1", L"FAT32");
    s.QuickScan();
    s.ClickResultFolder(L"Photos\\Holiday 2019");
    s.Shot("folder listed");
    s.ClickResultFolder(L"Documents");
    const std::wstring dest = p.Work(L"saved");
    Report("saved", dest);
    s.Recover(dest);
    Report("saved-again", dest);
    s.Recover(dest);
    const DWORD code = s.ExitByMenu();
    Report("exit-code", std::to_wstring(code));
}

// S2: the mixed disk as a dynamic VHD, its NTFS partition, every press and
// click by real input: one folder unchecked in the tree, Recover.
void ScenarioS2(Session& s, const Paths& p)
{
    s.Start();
    s.UseRealInput(true);
    s.SelectImage(p.Fixture(L"mixed-dynamic.vhd"));
    s.RunMode(131);
    s.DriveNext();
    s.ChoosePartition(L"Partition 2", L"NTFS");
    s.QuickScan();
    s.ToggleResultFolderMark(L"Many Long Names");
    s.Shot("folder unchecked");
    Report("unchecked", L"Many Long Names");
    RecoverAndExit(s, p);
}

// S3: the damaged mixed disk as a VHDX, Extensive Scan for FAT 16 over the
// whole disk, a FAT16 volume chosen on the file-system step, Recover.
void ScenarioS3(Session& s, const Paths& p)
{
    s.Start();
    s.SelectImage(p.Fixture(L"damaged.vhdx"));
    s.RunMode(133);
    s.DriveNext(false);
    s.ExtensiveScan(L"FAT 16");
    Report("volume", s.ChooseFileSystem(L"FAT16 @"));
    s.FileSystemNext();
    RecoverAndExit(s, p);
}

// S6: a large sparse VHDX, Extensive Scan over the whole disk stopped (No,
// then Yes), Back, Home; then a Quick Scan of the mixed disk and Recover.
void ScenarioS6(Session& s, const Paths& p)
{
    s.Start();
    s.SelectImage(p.Fixture(L"e2e-large.vhdx"));
    s.RunMode(133);
    s.DriveNext();
    s.ExtensiveScan(L"NTFS");
    s.StopScan(false);
    s.program().WaitStep(Step::ScanStep, 2000);
    s.StopScan(true);
    s.program().WaitStep(Step::FileSystemStep, 120000);
    s.Shot("stopped");
    s.Back(Step::ScanStep);
    s.Home();
    s.SelectImage(p.Fixture(L"mixed-fixed.vhd"));
    s.RunMode(131);
    s.DriveNext();
    s.ChoosePartition(L"Partition 1", L"FAT32");
    s.QuickScan();
    RecoverAndExit(s, p);
}

// S4: the trace volume, File Trace with every type ticked, Recover without
// any click on the recovery step.
void ScenarioS4(Session& s, const Paths& p)
{
    s.Start();
    s.SelectImage(p.Fixture(L"trace.vhd"));
    s.RunMode(132);
    s.DriveNext(false);
    s.ChoosePartition(L"Partition 1", L"FAT32");
    s.FileTrace();
    RecoverAndExit(s, p);
}

const std::map<std::string, void (*)(Session&, const Paths&)> kScenarios = {
    {"S1", ScenarioS1},
    {"S2", ScenarioS2},
    {"S3", ScenarioS3},
    {"S4", ScenarioS4},
    {"S6", ScenarioS6},
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 5 || kScenarios.find(Narrow(argv[1])) == kScenarios.end()) {
        fprintf(stderr, "usage: tdrive <scenario> <program> <fixtures folder> <scenario folder>\n");
        return 2;
    }
    Paths paths = {argv[2], argv[3], argv[4]};
    const std::wstring log = Env(L"TESMIR_MESSAGE_LOG");
    if (log.empty()) {
        fprintf(stderr, "tdrive: TESMIR_MESSAGE_LOG is not set\n");
        return 2;
    }
    Report("temp", TempFolder());
    Session session(paths.exe, paths.work, log);
    try {
        kScenarios.at(Narrow(argv[1]))(session, paths);
    } catch (const StepFailure& failure) {
        session.Fail(failure.what());
        return 1;
    } catch (const std::exception& failure) {
        session.Fail(std::string("unexpected: ") + failure.what());
        return 1;
    }
    printf("tdrive: scenario %s passed\n", Narrow(argv[1]).c_str());
    return 0;
}
