#pragma once
// What the window shows of the device link, kept as plain data: the progress
// bar, the acknowledgement and reply boxes, the reply memo, the port box and
// the settings boxes of the status page. The shell reads it after each
// handler and tick. (Whether the transfer buttons are enabled follows from
// DeviceLink::TransferRunning() and the lists: Companion::TransferButtons.)

#include <string>
#include <vector>

namespace vantrel {

struct ProgressBarState {
    int Position = 0;  // 0 to 127
    bool Visible = false;
};

struct EditState {
    std::string Text;
};

struct LinkDisplay {
    // Shown while a download runs.
    ProgressBarState pbarLoading;

    EditState edAck;                    // the field of the last acknowledgement
    EditState edCurrentData;            // the last reply's text
    std::vector<std::string> memoData;  // every reply's text, one line each
    EditState comboPort;                // the device's port name as last found

    // Guider settings.
    EditState edRoute;
    EditState edBackLight;
    EditState edSuspend;
    EditState edTimeZoneHome;
    EditState edTimeZoneLocal;
    EditState edUnit;
    // Logger settings; the storage usage is never filled from the device.
    EditState edRecordTime;
    EditState edRecordDistance;
    EditState edRecordSpeed;
    EditState edStorageUsage{"150"};
};

}  // namespace vantrel
