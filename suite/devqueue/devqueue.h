// devqueue.dll: stand-in for the suite's plot-queue library, which this
// machine does not have. It offers the calls optora relies on, under the
// MSVC-decorated names of the suite's library (src/store/plot_queue_exports.h).
//
// Its queues come from the text file "c:\userroot\system\state\plotqueues.cfg",
// one queue a line, in the order to offer them: the queue name, then its
// media, each after a "|" ("HP DESIGNJET|Bond 36|Vellum 42"). Blanks around
// names are ignored; empty lines and lines starting with ";" are skipped;
// only the first 64 KiB are read and names are cut to 255 bytes. Without the
// file the station plots to files only: the one destination offered is the
// plot-file destination named by the caller.
#pragma once
#include "store/plot_queue_exports.h"

class CPlotterQueueManager {
public:
    // Adds the destinations to offer, in order; fileDestination names the
    // plot-file destination, offered alone when nothing is configured. The
    // stand-in knows only this station's queues, so scope ("LOCAL") selects
    // nothing more. Returns how many were added.
    static int GetPlotQueues(PlotNameList& queues, const char* fileDestination, const char* scope);
};

class CPlotterQueue {
public:
    explicit CPlotterQueue(const char* name);
    ~CPlotterQueue();
    // Adds the queue's media (a queue it does not know has none); a queue
    // without media adds noneName alone when withNone is non-zero. Returns
    // how many were added.
    int GetMedia(PlotNameList& media, const char* noneName, int withNone);

private:
    char name_[256];
};
static_assert(sizeof(CPlotterQueue) <= optora::devqueue::kQueueObjectSize, "callers provide this much room");
