#pragma once
// What the window shows of the device link, kept as plain data: the request
// buttons' enablement, the progress bar, the acknowledgement and reply boxes,
// the reply memo, the port box and the settings boxes of the status page.
// The shell reads it after each handler and tick.

#include <string>
#include <vector>

namespace vantrel {

struct ButtonState {
    bool Enabled = true;
};

struct ProgressBarState {
    int Position = 0;  // 0 to 127
    bool Visible = false;
};

struct EditState {
    std::string Text;
};

struct LinkDisplay {
    // Requests that the link disables while they run and enables again.
    ButtonState btnLoadPlan;
    ButtonState btnDownloadFrGuider;
    ButtonState btnLoadTrack;
    ButtonState btnLoadPOI;
    // Uploads start disabled; the plan and POI lists enable them once they
    // hold data, and the end of an upload enables both.
    ButtonState btnStorePoi{false};
    ButtonState btnStorePlan{false};

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
