#pragma once
// What the link has to show, as a plain value the front ends render: the
// progress of a download, the last acknowledgement, the last reply and every
// reply so far, the device's port, and the guider's and logger's settings.
// The front ends read it after each request and tick. (Which transfers may
// be asked for follows from DeviceLink::TransferRunning() and the lists:
// Companion::Buttons().)

#include <string>
#include <vector>

namespace vantrel {

struct ProgressBarState {
    int Position = 0;  // 0 to 127
    bool Visible = false;
};

struct FieldText {
    std::string Text;
};

struct LinkStatus {
    // Shown while a download runs.
    ProgressBarState progress;

    FieldText acknowledgement;          // the field of the last acknowledgement
    FieldText replyText;                // the last reply's text
    std::vector<std::string> replyLog;  // every reply's text, one line each
    FieldText portName;                 // the device's port name as last found

    // Guider settings.
    FieldText route;
    FieldText backLight;
    FieldText suspend;
    FieldText homeZone;
    FieldText localZone;
    FieldText unit;
    // Logger settings; the device never sends its storage usage, which
    // stays empty.
    FieldText recordTime;
    FieldText recordDistance;
    FieldText recordSpeed;
    FieldText storageUsage;
};

}  // namespace vantrel
