#pragma once

// The pictures of a batch export: each record bound into copies of the two
// side snapshots, drawn and written on worker threads, as many as the
// machine has cores. Touches no widget and no live card object; the caller
// shows progress from `curr_barcode_count` and reports the outcome.
//
// Workers take records in order from a shared counter, bind, draw and encode
// them side by side, and write the encoded files in record order. The stop flag is read
// before each record: a stop ends every worker after the record it has in
// hand. The first failed write stops the batch, with every record before it
// written and none after; its path and reason are kept. Files are written
// only inside the folder: a link at a file's name is replaced itself.

#include "canvas/SideSnapshot.h"
#include "output/MissingPictures.h"

#include <QString>

#include <atomic>
#include <functional>

class BatchPictureExport
{
public:
    // Writes record `record`'s values into `snapshot`; "" when it went well.
    using Binder = std::function<QString(SideSnapshot& snapshot, int record)>;

    struct Job
    {
        SideSnapshot front;
        SideSnapshot back;
        Binder bind;
        QString folder;     // the files' folder, already made
        QString type;       // the files' extension
        double dpi = 72.0;  // pixels per inch of the pictures
        QString sides;      // "F", "B" or "BOTH"
        bool combined = false;
        int records = 0;
        int threads = 0;    // 0: the cores the process may use
    };

    struct Result
    {
        int records = 0;        // records the batch was to write
        int recordsDone = 0;    // records whose files were all written
        bool stopped = false;   // ended by the stop flag
        QString failedPath;     // the first file that could not be written
        QString error;          // and why
        // The records written, and those drawn without a picture they name.
        MissingPictures pictures;
        bool failed() const { return !failedPath.isEmpty(); }
    };

    // Runs the whole batch and returns when every worker has ended.
    // `progress` (any thread) gets the number of records done so far.
    static Result run(const Job& job, const std::atomic<bool>& stop,
                      const std::function<void(int done)>& progress = {});
};
