<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>core</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>TOOLS</source>
        <translation>工具</translation>
    </message>
    <message>
        <source>Vantrel Not Found!</source>
        <translation>未找到 Vantrel！</translation>
    </message>
    <message>
        <source>Cannot read this computer&apos;s time zone; times are shown in UTC until one is chosen.</source>
        <translation>无法读取本机的时区；在选择时区之前，时间以 UTC 显示。</translation>
    </message>
    <message>
        <source>This computer has no internet connection: the maps show their world layer and the tiles kept from before, and fetch new ones once the connection is back.</source>
        <translation>本机没有互联网连接：地图只显示世界图层和之前保存的图块，连接恢复后再获取新图块。</translation>
    </message>
    <message>
        <source>A plan point needs a title!</source>
        <translation>计划点需要标题！</translation>
    </message>
    <message>
        <source>The plan map did not answer in time; the plan list is unchanged.</source>
        <translation>计划地图未及时响应；计划列表未改变。</translation>
    </message>
    <message>
        <source>Cannot open the map pages: they are missing from the program&apos;s data folder, so the maps stay empty.</source>
        <translation>无法打开地图页面：程序的数据文件夹中缺少这些页面，因此地图保持空白。</translation>
    </message>
    <message>
        <source>Language File Not Found! </source>
        <translation>未找到语言文件！</translation>
    </message>
    <message>
        <source>Cannot Save Setting!</source>
        <translation>无法保存设置！</translation>
    </message>
    <message>
        <source>Write UI Text to ENGLISH.MAN</source>
        <translation>将界面文字写入 ENGLISH.MAN</translation>
    </message>
    <message>
        <source>The plan the device sent cannot be read (its header or tables are damaged); the plan list was left as it was.</source>
        <translation>无法读取设备发送的计划（其文件头或数据表已损坏）；计划列表保持原样。</translation>
    </message>
    <message>
        <source>The track download is still under way; wait until it has ended.</source>
        <translation>轨迹下载仍在进行，请等待其结束。</translation>
    </message>
    <message>
        <source>The plan download is still under way; wait until it has ended.</source>
        <translation>计划下载仍在进行，请等待其结束。</translation>
    </message>
    <message>
        <source>The POI download is still under way; wait until it has ended.</source>
        <translation>兴趣点下载仍在进行，请等待其结束。</translation>
    </message>
    <message>
        <source>The plan upload is still under way; wait until it has ended.</source>
        <translation>计划上传仍在进行，请等待其结束。</translation>
    </message>
    <message>
        <source>The POI upload is still under way; wait until it has ended.</source>
        <translation>兴趣点上传仍在进行，请等待其结束。</translation>
    </message>
    <message>
        <source>the device stopped answering</source>
        <translation>设备停止了响应</translation>
    </message>
    <message>
        <source>the device cancelled it</source>
        <translation>设备取消了传输</translation>
    </message>
    <message>
        <source>Distance (km)</source>
        <translation>距离 (km)</translation>
    </message>
    <message>
        <source>Distance (mi)</source>
        <translation>距离 (mi)</translation>
    </message>
    <message>
        <source>Altitude (m)</source>
        <translation>海拔 (m)</translation>
    </message>
    <message>
        <source>Altitude (ft)</source>
        <translation>海拔 (ft)</translation>
    </message>
    <message>
        <source>Altitude above ellipsoid (m)</source>
        <translation>椭球高 (m)</translation>
    </message>
    <message>
        <source>Altitude above ellipsoid (ft)</source>
        <translation>椭球高 (ft)</translation>
    </message>
    <message>
        <source>Speed (km/h)</source>
        <translation>速度 (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>速度 (mph)</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>无法保存 %1：%2</translation>
    </message>
    <message>
        <source>The request failed: %1.</source>
        <translation>请求失败：%1。</translation>
    </message>
    <message>
        <source>Invalid Language Name: %1</source>
        <translation>无效的语言名称：%1</translation>
    </message>
    <message>
        <source>The file was saved, but %1.</source>
        <translation>文件已保存，但 %1。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid time zone offset</source>
        <translation>“%1”不是有效的时区偏移</translation>
    </message>
    <message>
        <source>The track download failed: %1; nothing was kept.</source>
        <translation>轨迹下载失败：%1；未保留任何数据。</translation>
    </message>
    <message>
        <source>The plan download failed: %1; nothing was kept.</source>
        <translation>计划下载失败：%1；未保留任何数据。</translation>
    </message>
    <message>
        <source>The POI download failed: %1; nothing was kept.</source>
        <translation>兴趣点下载失败：%1；未保留任何数据。</translation>
    </message>
    <message>
        <source>The plan upload failed: %1.</source>
        <translation>计划上传失败：%1。</translation>
    </message>
    <message>
        <source>The POI upload failed: %1.</source>
        <translation>兴趣点上传失败：%1。</translation>
    </message>
    <message>
        <source>There is no serial port %1. Check that the device is plugged in and switched on, or choose another port.</source>
        <translation>没有串口 %1。请检查设备是否已连接并打开电源，或者选择其他串口。</translation>
    </message>
    <message>
        <source>The serial port %1 is busy: another program (a modem manager or a terminal program, for example) holds it. Close that program and try again.</source>
        <translation>串口 %1 正忙：另一个程序（例如调制解调器管理器或终端程序）占用了它。请关闭该程序后重试。</translation>
    </message>
    <message>
        <source>The serial port %1 is busy: %2 holds it. Close that program and try again.</source>
        <translation>串口 %1 正忙：%2 占用了它。请关闭该程序后重试。</translation>
    </message>
    <message>
        <source>%1 is not a serial port. Choose another port.</source>
        <translation>%1 不是串口。请选择其他串口。</translation>
    </message>
    <message>
        <source>The serial port %1 could not be used: %2.</source>
        <translation>无法使用串口 %1：%2。</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>Choose a track in the list first.</source>
        <translation>请先在列表中选择一条轨迹。</translation>
    </message>
    <message>
        <source>The speed limit must be above 0 km/h.</source>
        <translation>速度上限必须大于 0 km/h。</translation>
    </message>
    <message>
        <source>choose two tracks or more to merge</source>
        <translation>请选择两条或更多轨迹进行合并</translation>
    </message>
    <message>
        <source>%1 has %2 points, not points %3 to %4.</source>
        <translation>%1 只有 %2 个点，没有第 %3 至 %4 个点。</translation>
    </message>
    <message>
        <source>The range holds every point of %1: nothing to trim.</source>
        <translation>所选范围包含 %1 的全部点：无需裁剪。</translation>
    </message>
    <message>
        <source>The range holds every point of %1: delete the track instead.</source>
        <translation>所选范围包含 %1 的全部点：请改为删除整条轨迹。</translation>
    </message>
    <message>
        <source>A track is split between two of its points: choose a point after the first of %1.</source>
        <translation>轨迹只能在两个点之间拆分：请选择 %1 第一个点之后的点。</translation>
    </message>
    <message>
        <source>Cannot merge: %1.</source>
        <translation>无法合并：%1。</translation>
    </message>
    <message>
        <source>No point of %1 implies a speed above %2 km/h.</source>
        <translation>%1 中没有任何点意味着超过 %2 km/h 的速度。</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销：%1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做：%1</translation>
    </message>
    <message>
        <source>%1 and %2 overlap in time; only tracks that follow one another can be merged</source>
        <translation>%1 与 %2 在时间上重叠；只有先后相接的轨迹才能合并</translation>
    </message>
    <message>
        <source>Trim %1</source>
        <translation>裁剪 %1</translation>
    </message>
    <message>
        <source>Delete Points of %1</source>
        <translation>删除 %1 的点</translation>
    </message>
    <message>
        <source>Split %1</source>
        <translation>拆分 %1</translation>
    </message>
    <message>
        <source>Merge %1 Tracks</source>
        <translation>合并 %1 条轨迹</translation>
    </message>
    <message>
        <source>Drop Outliers of %1</source>
        <translation>去除 %1 的异常点</translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation>重命名 %1</translation>
    </message>
    <message>
        <source>Recolour %1</source>
        <translation>更改 %1 的颜色</translation>
    </message>
    <message>
        <source>Modify %1</source>
        <translation>修改 %1</translation>
    </message>
    <message>
        <source>Select %1</source>
        <translation>选中 %1</translation>
    </message>
    <message>
        <source>Deselect %1</source>
        <translation>取消选中 %1</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>删除 %1</translation>
    </message>
    <message>
        <source>Time of day (%1)</source>
        <translation>时刻 (%1)</translation>
    </message>
</context>
<context>
    <name>vantrel</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Track Files</source>
        <translation>轨迹文件</translation>
    </message>
    <message>
        <source>Route Plans</source>
        <translation>路线计划</translation>
    </message>
    <message>
        <source>Points of Interest</source>
        <translation>兴趣点</translation>
    </message>
    <message>
        <source>GPX Files</source>
        <translation>GPX 文件</translation>
    </message>
    <message>
        <source>KML Files</source>
        <translation>KML 文件</translation>
    </message>
    <message>
        <source>CSV Files</source>
        <translation>CSV 文件</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>Connect the Vantrel with its USB cable and switch it on, then try again; or choose its serial port with Device &gt; Serial Port. Files can be opened, edited and saved without it.</source>
        <translation>请用 USB 线连接 Vantrel 并打开电源，然后重试；或者通过“设备 &gt; 串口”选择它的串口。没有设备时也可以打开、编辑和保存文件。</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>above the ellipsoid</source>
        <translation>（椭球高）</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>照片</translation>
    </message>
    <message>
        <source>Camera time</source>
        <translation>相机时间</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Add a folder of photos</source>
        <translation>添加照片文件夹</translation>
    </message>
    <message>
        <source>Add photos</source>
        <translation>添加照片</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>照片</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>Clock photo</source>
        <translation>时钟照片</translation>
    </message>
    <message>
        <source>The time the clock in %1 shows (HH:MM:SS):</source>
        <translation>%1 中的时钟显示的时间 (HH:MM:SS)：</translation>
    </message>
</context>
<context>
    <name>vantrel::PhotosPage</name>
    <message>
        <source>Add photos...</source>
        <translation>添加照片...</translation>
    </message>
    <message>
        <source>Add folder...</source>
        <translation>添加文件夹...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>this computer&apos;s zone</source>
        <translation>本机时区</translation>
    </message>
    <message>
        <source>From a clock photo...</source>
        <translation>根据时钟照片...</translation>
    </message>
    <message>
        <source>Replace positions photos hold</source>
        <translation>替换照片中已有的位置</translation>
    </message>
    <message>
        <source>where a photo cannot be written</source>
        <translation>照片无法写入时</translation>
    </message>
    <message>
        <source>for every photo</source>
        <translation>每张照片</translation>
    </message>
    <message>
        <source>never</source>
        <translation>从不</translation>
    </message>
    <message>
        <source>Write positions</source>
        <translation>写入位置</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Camera zone</source>
        <translation>相机时区</translation>
    </message>
    <message>
        <source>Clock offset</source>
        <translation>时钟偏差</translation>
    </message>
    <message>
        <source>Largest gap</source>
        <translation>最大间隔</translation>
    </message>
    <message>
        <source>XMP sidecar</source>
        <translation>XMP 附属文件</translation>
    </message>
    <message>
        <source>Reading the photos...</source>
        <translation>正在读取照片...</translation>
    </message>
    <message>
        <source>No photo has a position to write.</source>
        <translation>没有照片有可写入的位置。</translation>
    </message>
    <message>
        <source>Cancelled after %1 of %2. </source>
        <translation>已在 %2 张中完成 %1 张后取消。</translation>
    </message>
    <message>
        <source>Select the photo of a clock first.</source>
        <translation>请先选择一张时钟照片。</translation>
    </message>
</context>
<context>
    <name>vantrel::ProfileView</name>
    <message>
        <source>Range</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>&amp;Distance</source>
        <translation>距离(&amp;D)</translation>
    </message>
    <message>
        <source>Time of &amp;day</source>
        <translation>时刻(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Every selected track</source>
        <translation>所有选中的轨迹(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Zoom to Range</source>
        <translation>缩放到范围(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Whole Track</source>
        <translation>整条轨迹(&amp;W)</translation>
    </message>
    <message>
        <source>Range: %1, points %2 to %3</source>
        <translation>范围：%1，第 %2 至 %3 点</translation>
    </message>
</context>
<context>
    <name>vantrel::StatisticsPanel</name>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Moving time</source>
        <translation>移动时间</translation>
    </message>
    <message>
        <source>Mean speed</source>
        <translation>平均速度</translation>
    </message>
    <message>
        <source>Moving speed</source>
        <translation>移动速度</translation>
    </message>
    <message>
        <source>Top speed</source>
        <translation>最高速度</translation>
    </message>
    <message>
        <source>Ascent</source>
        <translation>累计爬升</translation>
    </message>
    <message>
        <source>Descent</source>
        <translation>累计下降</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>最低海拔</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>最高海拔</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgChoosePort</name>
    <message>
        <source>Serial Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>The &amp;port the Vantrel is connected to:</source>
        <translation>Vantrel 所连接的串口(&amp;P)：</translation>
    </message>
    <message>
        <source>Find the Vantrel automatically</source>
        <translation>自动查找 Vantrel</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgMaxSpeed</name>
    <message>
        <source>Drop Outliers</source>
        <translation>去除异常点</translation>
    </message>
    <message>
        <source>Drop the points that imply a speed &amp;above:</source>
        <translation>去除速度超过此值的点(&amp;A)：</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgModifyTrackName</name>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Selected To Save</source>
        <translation>选中以保存</translation>
    </message>
    <message>
        <source>Modify Track Name &amp; Color</source>
        <translation>修改轨迹名称和颜色</translation>
    </message>
    <message>
        <source>Track Name:</source>
        <translation>轨迹名称：</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgPlanName</name>
    <message>
        <source>Modify Plan Route Title</source>
        <translation>修改计划路线标题</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgStartLogo</name>
    <message>
        <source>Vantrel Services</source>
        <translation>Vantrel 服务</translation>
    </message>
</context>
<context>
    <name>vantrel::TfmMain</name>
    <message>
        <source>Cannot open images/iconLogo.ico: the window has no icon.</source>
        <translation>无法打开 images/iconLogo.ico：窗口没有图标。</translation>
    </message>
    <message>
        <source>Cannot open images/logostart.bmp: the splash shows no picture.</source>
        <translation>无法打开 images/logostart.bmp：启动画面不显示图片。</translation>
    </message>
    <message>
        <source>the tracks</source>
        <translation>轨迹</translation>
    </message>
    <message>
        <source>the plan</source>
        <translation>计划</translation>
    </message>
    <message>
        <source>the POIs</source>
        <translation>兴趣点</translation>
    </message>
    <message>
        <source>Save Track Data To File</source>
        <translation>将轨迹数据保存到文件</translation>
    </message>
    <message>
        <source>Open Track File</source>
        <translation>打开轨迹文件</translation>
    </message>
    <message>
        <source>Save Track Plan To File</source>
        <translation>将计划保存到文件</translation>
    </message>
    <message>
        <source>Open Track Plan From File</source>
        <translation>从文件打开计划</translation>
    </message>
    <message>
        <source>Save POIs To File</source>
        <translation>将兴趣点保存到文件</translation>
    </message>
    <message>
        <source>Open POI File</source>
        <translation>打开兴趣点文件</translation>
    </message>
    <message>
        <source>There are changes to %1 that are not saved; %2 would lose them.

Save them first?</source>
        <translation>%1有未保存的更改；%2会丢失这些更改。

要先保存吗？</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>未保存的更改</translation>
    </message>
    <message>
        <source>opening another file</source>
        <translation>打开其他文件</translation>
    </message>
    <message>
        <source>A track file holds at most 64 tracks and 65536 points: %1 would be left out.

Save every track as GPX instead, to %2?</source>
        <translation>轨迹文件最多容纳 64 条轨迹和 65536 个点：%1 将被略去。

改为将所有轨迹以 GPX 格式保存到 %2 吗？</translation>
    </message>
    <message>
        <source>Save Tracks</source>
        <translation>保存轨迹</translation>
    </message>
    <message>
        <source>Cannot open %1: the program opens track files (.trk), GPX, route plans (.rte), POI files (.wpt) and their CSV files.</source>
        <translation>无法打开 %1：本程序可打开轨迹文件 (.trk)、GPX、路线计划 (.rte)、兴趣点文件 (.wpt) 及其 CSV 文件。</translation>
    </message>
    <message>
        <source>closing the window</source>
        <translation>关闭窗口</translation>
    </message>
    <message>
        <source>a new download</source>
        <translation>新的下载</translation>
    </message>
    <message>
        <source>The plan list is empty. Uploading it erases the route plan stored on the Vantrel.

Upload the empty plan?</source>
        <translation>计划列表为空。上传它会清除 Vantrel 上保存的路线计划。

要上传空计划吗？</translation>
    </message>
    <message>
        <source>The POI list is empty. Uploading it erases every POI stored on the Vantrel.

Upload the empty list?</source>
        <translation>兴趣点列表为空。上传它会清除 Vantrel 上保存的所有兴趣点。

要上传空列表吗？</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>clearing the list</source>
        <translation>清空列表</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>照片</translation>
    </message>
    <message>
        <source>Test Calc</source>
        <translation>测试计算</translation>
    </message>
    <message>
        <source>Test Marker</source>
        <translation>测试标记</translation>
    </message>
    <message>
        <source>Maps</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>Online map</source>
        <translation>在线地图</translation>
    </message>
    <message>
        <source>Open offline map...</source>
        <translation>打开离线地图...</translation>
    </message>
    <message>
        <source>Open Offline Map</source>
        <translation>打开离线地图</translation>
    </message>
    <message>
        <source>Offline Maps</source>
        <translation>离线地图</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>The map is shown, but cannot be remembered: %1 cannot be written</source>
        <translation>地图已显示，但无法记住：无法写入 %1</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>保存(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>修改(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Clear &amp;All</source>
        <translation>全部清除(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>设备(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>下载(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>上传(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Cancel Transfer</source>
        <translation>取消传输(&amp;C)</translation>
    </message>
    <message>
        <source>Serial &amp;Port...</source>
        <translation>串口(&amp;P)...</translation>
    </message>
    <message>
        <source>&amp;Find the Vantrel</source>
        <translation>查找 Vantrel(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>D&amp;raw the Selected Tracks</source>
        <translation>绘制所选轨迹(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Status Page</source>
        <translation>状态页(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Vantrel</source>
        <translation>关于 Vantrel(&amp;A)</translation>
    </message>
    <message>
        <source>About Vantrel</source>
        <translation>关于 Vantrel</translation>
    </message>
    <message>
        <source>Vantrel %1

The desktop companion of the Vantrel GPS guider and track logger.</source>
        <translation>Vantrel %1

Vantrel GPS 导航仪和轨迹记录仪的桌面配套程序。</translation>
    </message>
    <message>
        <source>The transfer was cancelled; nothing was kept or sent.</source>
        <translation>传输已取消；没有保留或发送任何数据。</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>起点</translation>
    </message>
    <message>
        <source>End</source>
        <translation>终点</translation>
    </message>
    <message>
        <source>No track is selected: tick the Select box of each track to draw.</source>
        <translation>未选择轨迹：请勾选要绘制的每条轨迹的“选择”框。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>End the transfer; nothing is kept or sent (Esc)</source>
        <translation>结束传输；不保留也不发送任何内容 (Esc)</translation>
    </message>
    <message>
        <source>, %1/s</source>
        <translation>，%1/秒</translation>
    </message>
    <message>
        <source>Uploading: %1 of %2 sent%3</source>
        <translation>正在上传：已发送 %1 / %2%3</translation>
    </message>
    <message>
        <source>Downloading: %1 received%2</source>
        <translation>正在下载：已接收 %1%2</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>裁剪</translation>
    </message>
    <message>
        <source>Delete Points</source>
        <translation>删除点</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>拆分</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>合并</translation>
    </message>
    <message>
        <source>Drop Outliers...</source>
        <translation>去除异常点...</translation>
    </message>
    <message>
        <source>Keep only the points selected in the grid</source>
        <translation>只保留表格中选中的点</translation>
    </message>
    <message>
        <source>Cut the track before the first point selected in the grid</source>
        <translation>在表格中选中的第一个点之前拆分轨迹</translation>
    </message>
    <message>
        <source>Join the tracks selected in the list in time order</source>
        <translation>按时间顺序合并列表中选中的轨迹</translation>
    </message>
    <message>
        <source>&amp;Trim to the Selected Points</source>
        <translation>裁剪为选中的点(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Delete the Selected Points</source>
        <translation>删除选中的点(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Split Before the Selected Points</source>
        <translation>在选中的点之前拆分(&amp;S)</translation>
    </message>
    <message>
        <source>Drop &amp;Outliers...</source>
        <translation>去除异常点(&amp;O)...</translation>
    </message>
    <message>
        <source>Mer&amp;ge the Selected Tracks</source>
        <translation>合并选中的轨迹(&amp;G)</translation>
    </message>
    <message>
        <source>Select the points to keep in the point grid first.</source>
        <translation>请先在点表格中选择要保留的点。</translation>
    </message>
    <message>
        <source>Select the points to delete in the point grid first.</source>
        <translation>请先在点表格中选择要删除的点。</translation>
    </message>
    <message>
        <source>Select the point to split before in the point grid first.</source>
        <translation>请先在点表格中选择要在其之前拆分的点。</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>统计</translation>
    </message>
</context>
</TS>
