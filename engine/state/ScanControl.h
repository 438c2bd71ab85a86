// The flag protocol between the UI thread and the one engine worker, with a
// cooperative pause: the worker is held only at its own stop checks, where
// it holds no lock or heap state that the UI thread could need while it asks
// the user a question. The thread itself is never suspended or touched.
#pragma once

// Starter side, before the worker runs: g_ScanStop 0, g_ScanBusy 1.
void BeginScanWorker();
// Worker side, as its last action: g_ScanStop 1, g_ScanBusy 0.
void EndScanWorker();

// Worker side, wherever a loop tests g_ScanStop: waits while a pause is in
// effect, then returns g_ScanStop.
int ScanStopRequested();

// UI side. Requests that the worker wait at its next stop check, and lets it
// go on. Calls may come from inside g_ScanLock; neither blocks on the worker.
void PauseScanWorker();
void ResumeScanWorker();

// 1 while the worker is waiting at a stop check.
int IsScanWorkerPaused();

// The Stop command: acts only while a worker runs (g_ScanBusy 1 and
// g_ScanStop 0). Inside g_ScanLock it pauses the worker, asks the question,
// sets g_ScanStop to 1 on Yes and lets the worker go on. Returns 1 when the
// user chose to stop, 0 otherwise (also when no worker ran).
int StopScanWorker(const wchar_t* question);
