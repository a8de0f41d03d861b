<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>BuiltInPresentation</name>
    <message>
        <source>无法打开演示文稿 %1。</source>
        <translation>Cannot open the presentation %1.</translation>
    </message>
    <message>
        <source>文件 %1 无法读取，可能已损坏。</source>
        <translation>The file %1 cannot be read; it may be damaged.</translation>
    </message>
    <message>
        <source>演示文稿里没有幻灯片。</source>
        <translation>The presentation has no slides.</translation>
    </message>
</context>
<context>
    <name>CountDisplay</name>
    <message>
        <source>正在计时</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>暂停计时</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>显示剩余的时间,双击数字可放大计时窗口</source>
        <translation>The time left. Double-click the digits for the large countdown.</translation>
    </message>
    <message>
        <source> 时间到！</source>
        <translation>Time up!</translation>
    </message>
    <message>
        <source>还剩1分10秒！</source>
        <translation>1 min 10 s left!</translation>
    </message>
    <message>
        <source>定时 00:00 提前 00:00</source>
        <translation>Time 00:00 Remind 00:00</translation>
    </message>
</context>
<context>
    <name>CountdownMirror</name>
    <message>
        <source>  当前计时状态：停止计时</source>
        <translation>  Countdown: stopped</translation>
    </message>
    <message>
        <source>  当前计时状态：正在计时</source>
        <translation>  Countdown: running</translation>
    </message>
    <message>
        <source>  当前计时状态：暂停计时</source>
        <translation>  Countdown: paused</translation>
    </message>
    <message>
        <source>定时%1分%2秒</source>
        <translation>Time %1:%2</translation>
    </message>
    <message>
        <source>%1,剩余%2分%3秒</source>
        <translation>%1, %2:%3 left</translation>
    </message>
    <message>
        <source>  当前计时状态：超时计时</source>
        <translation>  Countdown: overtime</translation>
    </message>
    <message>
        <source>%1,超时%2分%3秒</source>
        <translation>%1, %2:%3 over</translation>
    </message>
</context>
<context>
    <name>DataFolderLink</name>
    <message>
        <source>打开程序文件夹</source>
        <translation>Open data folder</translation>
    </message>
</context>
<context>
    <name>DeckConversionNotice</name>
    <message>
        <source>正在准备演示文稿</source>
        <translation>Preparing the presentation</translation>
    </message>
    <message>
        <source>正在打开演示文稿 %1，请稍候…
第一次打开时要先转换，可能需要十几秒；以后再打开就快了。</source>
        <translation>Opening the presentation %1, please wait…
The first time it has to be converted, which can take ten seconds or more; after that it opens quickly.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DeckConverter</name>
    <message>
        <source>缓存文件夹无法建立：%1 是一个文件，不是文件夹。</source>
        <translation>Cannot create the cache folder: %1 is a file, not a folder.</translation>
    </message>
    <message>
        <source>缓存文件夹 %1 不能写入（没有写入权限，或者磁盘是只读的）。</source>
        <translation>Cannot write to the cache folder %1 (no permission to write, or the disk is read-only).</translation>
    </message>
    <message>
        <source>无法建立缓存文件夹 %1。</source>
        <translation>Cannot create the cache folder %1.</translation>
    </message>
    <message>
        <source>找不到文件 %1。</source>
        <translation>Cannot find the file %1.</translation>
    </message>
    <message>
        <source>%1 不是一个文件。</source>
        <translation>%1 is not a file.</translation>
    </message>
    <message>
        <source>无法读取文件 %1。</source>
        <translation>Cannot read the file %1.</translation>
    </message>
    <message>
        <source>文件 %1 是空的。</source>
        <translation>The file %1 is empty.</translation>
    </message>
    <message>
        <source>演示文稿 %1 太大了（%2，超过 %3），无法打开。请压缩其中的图片、删去其中的视频后再试。</source>
        <translation>The presentation %1 is too large to open (%2, more than %3). Compress its pictures and remove its videos, then try again.</translation>
    </message>
    <message>
        <source>没有找到 LibreOffice，无法打开演示文稿 %1。请安装 libreoffice-impress。</source>
        <translation>LibreOffice was not found, so the presentation %1 cannot be opened. Please install libreoffice-impress.</translation>
    </message>
    <message>
        <source>无法启动 LibreOffice（%1）。</source>
        <translation>Cannot start LibreOffice (%1).</translation>
    </message>
    <message>
        <source>LibreOffice 转换 %1 超时。</source>
        <translation>LibreOffice took too long to convert %1.</translation>
    </message>
    <message>
        <source>演示文稿 %1 在打开的过程中被改动了，请再打开一次。</source>
        <translation>The presentation %1 was changed while it was being opened. Please open it again.</translation>
    </message>
    <message>
        <source>无法打开演示文稿 %1：文件可能已损坏、设有打开密码，或者不是演示文稿。</source>
        <translation>Cannot open the presentation %1: the file may be damaged, protected by a password, or not a presentation.</translation>
    </message>
    <message>
        <source>无法写入缓存文件 %1。</source>
        <translation>Cannot write the cache file %1.</translation>
    </message>
    <message>
        <source>程序正在退出。</source>
        <translation>The program is closing.</translation>
    </message>
</context>
<context>
    <name>DesktopFolder</name>
    <message>
        <source>无法打开文件夹，请在文件管理器中打开：
%1</source>
        <translation>Cannot open the folder. Please open it in your file manager:
%1</translation>
    </message>
</context>
<context>
    <name>DesktopNotice</name>
    <message>
        <source>窗口不能自行摆放：标准位置、居中、到时滑动和贴边隐藏都不起作用。</source>
        <translation>Windows cannot place themselves: the standard position, centring, the time-up slide and tucking at screen edges do not work.</translation>
    </message>
    <message>
        <source>工具条不一定能留在全屏放映的上面。</source>
        <translation>The strip may not stay above a full-screen slide show.</translation>
    </message>
    <message>
        <source>F9 和 F11 只在本软件的窗口为当前窗口时有效，放映时按下不起作用。</source>
        <translation>F9 and F11 work only while a window of this program is active, not during a slide show.</translation>
    </message>
    <message>
        <source>F9 和 F11 不起作用。</source>
        <translation>F9 and F11 do not work.</translation>
    </message>
    <message>
        <source>其他程序直接在 Wayland 上运行的窗口（例如演示程序的放映）看不到，“缩小”不会因它们而改变。</source>
        <translation>Windows that other programs run directly on Wayland (such as a presentation program&apos;s slide show) cannot be seen, so “Strip” does not respond to them.</translation>
    </message>
    <message>
        <source>用工具条左边的图标回到主界面，用托盘里的铃铛图标显示或退出本软件。</source>
        <translation>Use the icon on the left of the strip to return to the main window, and the bell in the system tray to show or quit the program.</translation>
    </message>
    <message>
        <source>用本软件自带的放映播放演示文稿，它总能被认出。</source>
        <translation>Play presentations with this program&apos;s own slide show, which is always recognised.</translation>
    </message>
    <message>
        <source>安装 XWayland（软件包 xwayland）后重新启动本软件，或者登录时选择 X11 会话，窗口就能正常摆放。</source>
        <translation>Install XWayland (package xwayland) and restart the program, or choose an X11 session when you log in, and the windows will be placed normally.</translation>
    </message>
    <message>
        <source>本桌面为 Wayland 会话，有些功能受到限制：

</source>
        <translation>This desktop is a Wayland session, so some features are limited:

</translation>
    </message>
    <message>
        <source>
替代办法：
</source>
        <translation>
What you can do instead:
</translation>
    </message>
</context>
<context>
    <name>DrawHistoryView</name>
    <message>
        <source>抽签记录</source>
        <translation>Draw history</translation>
    </message>
    <message>
        <source>抽签者</source>
        <translation>Student</translation>
    </message>
    <message>
        <source>抽中次数</source>
        <translation>Times drawn</translation>
    </message>
    <message>
        <source>权重</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>抽中次数和权重</source>
        <translation>Times drawn and weights</translation>
    </message>
    <message>
        <source>少抽过的优先</source>
        <translation>Favour those drawn less</translation>
    </message>
    <message>
        <source>在这个名单以往的抽签中被抽中次数少的人，更容易被抽到</source>
        <translation>Whoever this list&apos;s earlier draws picked less often is more likely to be drawn</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>抽签记录 - %1</source>
        <translation>Draw history - %1</translation>
    </message>
    <message>
        <source>这个名单还没有抽签记录。</source>
        <translation>This list has no draws yet.</translation>
    </message>
    <message>
        <source>  缺席：%1</source>
        <translation>  Absent: %1</translation>
    </message>
    <message>
        <source>  撤销：%1</source>
        <translation>  Undone: %1</translation>
    </message>
</context>
<context>
    <name>DrawLauncher</name>
    <message>
        <source>请输入抽签总人数：</source>
        <translation>Participants:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>提示：抽签总人数必须为数值，控制在2-200人之内</source>
        <translation>Tip: enter a number of people from 2 to 200</translation>
    </message>
    <message>
        <source>抽签总人数</source>
        <translation>Number of people in the draw</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>结束抽签</source>
        <translation>End draw</translation>
    </message>
    <message>
        <source>继续抽签</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>请选择所需功能</source>
        <translation>Choose a draw</translation>
    </message>
    <message>
        <source>随机抽取顺序号</source>
        <translation>Draw order numbers</translation>
    </message>
    <message>
        <source>按名单随机抽签</source>
        <translation>Draw from name list</translation>
    </message>
    <message>
        <source>PPT图文随机抽签</source>
        <translation>Draw random slides</translation>
    </message>
    <message>
        <source>播放PPT说明文件一</source>
        <translation>Play guide deck 1</translation>
    </message>
    <message>
        <source>播放PPT说明文件二</source>
        <translation>Play guide deck 2</translation>
    </message>
    <message>
        <source>
本轮抽签还没有结束

您确实要退出抽签程序吗？</source>
        <translation>
This round of the draw is not over yet.

Do you really want to leave the draw?</translation>
    </message>
    <message>
        <source>此版本尚未提供“%1”功能。
请选择其他功能，或关闭本窗口返回主窗口。</source>
        <translation>This version does not offer “%1” yet.
Please choose another draw, or close this window to return to the main window.</translation>
    </message>
    <message>
        <source>Vantrel工具 - 抽签</source>
        <translation>Vantrel Tools - Draw</translation>
    </message>
</context>
<context>
    <name>EnlargedWindow</name>
    <message>
        <source>Vantrel工具 放大计时</source>
        <translation>Vantrel Tools Large Countdown</translation>
    </message>
    <message>
        <source>当前计时状态：暂停计时</source>
        <translation>Countdown: paused</translation>
    </message>
    <message>
        <source>双击红色数字可关闭本窗口，自动返回主程序界面</source>
        <translation>Double-click the red digits to close this window</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>文件夹</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>管道（FIFO）</source>
        <translation>pipe (FIFO)</translation>
    </message>
    <message>
        <source>特殊文件</source>
        <translation>special file</translation>
    </message>
</context>
<context>
    <name>FlowConductor</name>
    <message>
        <source>Vantrel工具</source>
        <translation>Vantrel Tools</translation>
    </message>
    <message>
        <source>此版本不提供放大计时窗口。</source>
        <translation>This version has no large countdown window.</translation>
    </message>
</context>
<context>
    <name>HelpOpening</name>
    <message>
        <source>没有找到帮助文件（%1）。
请重新安装Vantrel，帮助文件随程序一起安装。</source>
        <translation>The help file (%1) was not found.
Please reinstall Vantrel; the help is installed with the program.</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Vantrel工具 帮助</source>
        <translation>Vantrel Tools Help</translation>
    </message>
</context>
<context>
    <name>HistorySheet</name>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>名单</source>
        <translation>List</translation>
    </message>
    <message>
        <source>顺序</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>情况</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>抽中</source>
        <translation>Drawn</translation>
    </message>
    <message>
        <source>缺席</source>
        <translation>Absent</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Could not write %1: %2</translation>
    </message>
</context>
<context>
    <name>InstructionShowBinding</name>
    <message>
        <source>无法播放说明文件 %1：%2
说明文件应以 %1 为名放在 %3 中。</source>
        <translation>Cannot play the guide deck %1: %2
The guide deck should be named %1 and kept in %3.</translation>
    </message>
</context>
<context>
    <name>LibreOfficeSpreadsheet</name>
    <message>
        <source>名单所在的文件夹已不存在。</source>
        <translation>The folder of the name list no longer exists.</translation>
    </message>
    <message>
        <source>名单文件的位置上是一个文件夹。</source>
        <translation>There is a folder where the name list should be.</translation>
    </message>
    <message>
        <source>读写磁盘时出错。</source>
        <translation>An error occurred while reading or writing the disk.</translation>
    </message>
    <message>
        <source>无法写入名单所在的文件夹。</source>
        <translation>Cannot write to the folder of the name list.</translation>
    </message>
    <message>
        <source>LibreOffice 没有在规定时间内启动</source>
        <translation>LibreOffice did not start in time</translation>
    </message>
    <message>
        <source>不是 .xls、.xlsx 或 .ods 文件</source>
        <translation>not an .xls, .xlsx or .ods file</translation>
    </message>
    <message>
        <source>文件是空的（0 字节）</source>
        <translation>the file is empty (0 bytes)</translation>
    </message>
    <message>
        <source>表格程序无法写出名单文件。</source>
        <translation>The spreadsheet program could not write the name list.</translation>
    </message>
    <message>
        <source>写出的文件是空的。</source>
        <translation>The file written is empty.</translation>
    </message>
    <message>
        <source>名单文件可能只写入了一部分；保存前的名单在 %1，可以用它替换名单文件。</source>
        <translation>The name list may have been written only in part; the list as it was before saving is in %1, and you can use it to replace the name list.</translation>
    </message>
    <message>
        <source>找不到 %1</source>
        <translation>%1 not found</translation>
    </message>
    <message>
        <source>不是 .xls、.xlsx、.ods 或 .csv 文件</source>
        <translation>not an .xls, .xlsx, .ods or .csv file</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>继续</source>
        <translation>Go on</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>继续开始定时器计时</source>
        <translation>Resume the countdown</translation>
    </message>
    <message>
        <source>暂停定时器计时</source>
        <translation>Pause the countdown</translation>
    </message>
    <message>
        <source>确实要停止计时吗?</source>
        <translation>Do you really want to stop the countdown?</translation>
    </message>
    <message>
        <source>Vantrel工具    程序载入， 请稍候…</source>
        <translation>Vantrel Tools    Loading, please wait…</translation>
    </message>
    <message>
        <source>Vantrel工具</source>
        <translation>Vantrel Tools</translation>
    </message>
    <message>
        <source>Vantrel 标志</source>
        <translation>Vantrel logo</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>启动定时器，开始计时</source>
        <translation>Start the countdown</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>停止定时器计时</source>
        <translation>Stop the countdown</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Strip</translation>
    </message>
    <message>
        <source>抽签</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>点击查看详细帮助信息</source>
        <translation>Click for detailed help</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>确认后退出本软件！</source>
        <translation>Asks first, then closes the program</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
</context>
<context>
    <name>MessageBoxDialogs</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open Folder</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>位置：</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>文件名：</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>文件类型：</source>
        <translation>Files of type:</translation>
    </message>
    <message>
        <source>后退</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>上一级文件夹</source>
        <translation>Parent folder</translation>
    </message>
    <message>
        <source>新建文件夹</source>
        <translation>New folder</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>List view</translation>
    </message>
    <message>
        <source>详细信息</source>
        <translation>Detail view</translation>
    </message>
    <message>
        <source>%1 已经存在。要替换它吗？</source>
        <translation>%1 already exists. Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>ModuleLibrary</name>
    <message>
        <source>找不到模块 %1</source>
        <translation>Module %1 not found</translation>
    </message>
    <message>
        <source>模块 %1 与程序的版本不符</source>
        <translation>Module %1 does not match this version of the program</translation>
    </message>
</context>
<context>
    <name>ModuleSpreadsheet</name>
    <message>
        <source>本机没有安装 LibreOffice Calc（按名单抽签需要它）。请安装 libreoffice-calc 软件包后再试。</source>
        <translation>LibreOffice Calc is not installed on this computer (the name-list draw needs it). Please install the libreoffice-calc package and try again.</translation>
    </message>
</context>
<context>
    <name>NameList</name>
    <message>
        <source>这个版本没有表格程序。</source>
        <translation>This version has no spreadsheet program.</translation>
    </message>
</context>
<context>
    <name>NameListDraw</name>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>下一轮</source>
        <translation>Next round</translation>
    </message>
    <message>
        <source>原始编号:</source>
        <translation>List no.:</translation>
    </message>
    <message>
        <source>原始编号</source>
        <translation>List number</translation>
    </message>
    <message>
        <source>抽 签 者:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>抽签者</source>
        <translation>Name drawn</translation>
    </message>
    <message>
        <source>稍后将自动打开LibreOffice，修改名单后请：</source>
        <translation>LibreOffice will open shortly. After editing the list:</translation>
    </message>
    <message>
        <source>1.核对总人数是否有误</source>
        <translation>1. Check that the total is right</translation>
    </message>
    <message>
        <source>2.保存修改后的名单</source>
        <translation>2. Save the edited list</translation>
    </message>
    <message>
        <source>3.关闭LibreOffice Calc窗口</source>
        <translation>3. Close the LibreOffice Calc window</translation>
    </message>
    <message>
        <source>4.退出抽签界面后重新进入</source>
        <translation>4. Leave the draw and open it again</translation>
    </message>
    <message>
        <source>这是当前抽签者抽签得到的顺序号</source>
        <translation>The place in the order of the person just drawn</translation>
    </message>
    <message>
        <source>这是参加抽签的总人数</source>
        <translation>The number of people in the draw</translation>
    </message>
    <message>
        <source>下一位</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>抽签</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>修改名单</source>
        <translation>Edit list</translation>
    </message>
    <message>
        <source>Vantrel工具 - 按名单随机抽签</source>
        <translation>Vantrel Tools - Name List Draw</translation>
    </message>
    <message>
        <source>点击“开始”按钮</source>
        <translation>Click “Start”</translation>
    </message>
    <message>
        <source>开始抽签</source>
        <translation>to begin the draw</translation>
    </message>
    <message>
        <source>程序载入中</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>请稍候...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>返回主界面</source>
        <translation>Returning</translation>
    </message>
    <message>
        <source>本轮抽签结束!</source>
        <translation>Round over!</translation>
    </message>
    <message>
        <source>换名单…</source>
        <translation>Change list…</translation>
    </message>
    <message>
        <source>新建名单</source>
        <translation>New list</translation>
    </message>
    <message>
        <source>缺席</source>
        <translation>Absent</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>抽签记录</source>
        <translation>Draw history</translation>
    </message>
    <message>
        <source>刚抽到的人今天不在：本轮不再抽他，他的抽签顺序空着</source>
        <translation>The student just drawn is away today: not drawn again this round, their order left empty</translation>
    </message>
    <message>
        <source>撤销本轮的上一次抽签：这个人回到签筒里</source>
        <translation>Undo this round&apos;s last draw: the student goes back into the pot</translation>
    </message>
    <message>
        <source>默认名单（%1）</source>
        <translation>Default list (%1)</translation>
    </message>
    <message>
        <source>其他名单…</source>
        <translation>Another list…</translation>
    </message>
    <message>
        <source>换名单</source>
        <translation>Change list</translation>
    </message>
    <message>
        <source>名单</source>
        <translation>List</translation>
    </message>
    <message>
        <source>新名单</source>
        <translation>new list</translation>
    </message>
    <message>
        <source>Excel 97 工作簿 (*.xls);;Excel 工作簿 (*.xlsx);;ODF 电子表格 (*.ods);;CSV 文件 (*.csv)</source>
        <translation>Excel 97 workbook (*.xls);;Excel workbook (*.xlsx);;ODF spreadsheet (*.ods);;CSV file (*.csv)</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>抽签顺序</source>
        <translation>Draw order</translation>
    </message>
    <message>
        <source>导出抽签记录</source>
        <translation>Export the draw history</translation>
    </message>
    <message>
        <source>-抽签记录</source>
        <translation>-draw history</translation>
    </message>
    <message>
        <source>Excel 工作簿 (*.xlsx);;ODF 电子表格 (*.ods);;CSV 文件 (*.csv)</source>
        <translation>Excel workbook (*.xlsx);;ODF spreadsheet (*.ods);;CSV file (*.csv)</translation>
    </message>
    <message>
        <source>本轮抽签结束后才能导出为 .xlsx 或 .ods 文件；现在可以导出为 .csv 文件。</source>
        <translation>Export to .xlsx or .ods once this round is over; a .csv file can be exported now.</translation>
    </message>
    <message>
        <source>抽签记录已导出到：%1</source>
        <translation>The draw history was exported to: %1</translation>
    </message>
</context>
<context>
    <name>NameListFile</name>
    <message>
        <source>名单文件：%1

</source>
        <translation>Name list: %1

</translation>
    </message>
    <message>
        <source>单元格 A1 应填写参加抽签的总人数（1 到 200 之间的整数）。</source>
        <translation>Cell A1 should hold the number of people in the draw (a whole number from 1 to 200).</translation>
    </message>
    <message>
        <source>工作表 sheet1 的单元格 A1 是空的。</source>
        <translation>Cell A1 of the worksheet sheet1 is empty.</translation>
    </message>
    <message>
        <source>工作表 sheet1 的单元格 A1 不是人数（“%1”）。</source>
        <translation>Cell A1 of the worksheet sheet1 is not a number of people (“%1”).</translation>
    </message>
    <message>
        <source>工作表 sheet1 的单元格 A1 中的人数是 %1。</source>
        <translation>The number of people in cell A1 of the worksheet sheet1 is %1.</translation>
    </message>
    <message>
        <source>单元格 A1 中的人数 %1 不是整数，按 %2 人计。</source>
        <translation>The number of people in cell A1, %1, is not a whole number; %2 will be used.</translation>
    </message>
    <message>
        <source>单元格 A1 写的是 %1 人，但一轮最多 %2 人。</source>
        <translation>Cell A1 says %1 people, but a round can have at most %2.</translation>
    </message>
    <message>
        <source>第 %1 到第 %2 行中只有 %3 个姓名</source>
        <translation>rows %1 to %2 hold only %3 names</translation>
    </message>
    <message>
        <source>单元格 A1 写的是 %1 人，但</source>
        <translation>Cell A1 says %1 people, but </translation>
    </message>
    <message>
        <source>；没有姓名的行不参加抽签。</source>
        <translation>; rows without a name are left out of the draw.</translation>
    </message>
    <message>
        <source>名单中共有 %1 个姓名</source>
        <translation>The list holds %1 names</translation>
    </message>
    <message>
        <source>：只有第 %1 到第 %2 行参加抽签，下面的 %3 个姓名不参加。</source>
        <translation>: only rows %1 to %2 take part, and the %3 names below them do not.</translation>
    </message>
    <message>
        <source>第 %1 到第 %2 行的 B 列中没有姓名，没有人可以抽签。</source>
        <translation>Column B has no names in rows %1 to %2, so there is nobody to draw.</translation>
    </message>
    <message>
        <source>请从第 %1 行起在 A 列填写编号、B 列填写姓名，并在单元格 A1 填写总人数。</source>
        <translation>From row %1 on, put the numbers in column A and the names in column B, and the total number of people in cell A1.</translation>
    </message>
    <message>
        <source>名单文件是只读的（写保护）</source>
        <translation>The name list is read-only (write-protected)</translation>
    </message>
    <message>
        <source>名单文件所在的文件夹是只读的（写保护）</source>
        <translation>The folder of the name list is read-only (write-protected)</translation>
    </message>
    <message>
        <source>：可以照常抽签，但抽签顺序不会写入名单文件，文件保持原样。若要记录抽签顺序，请先取消只读属性，再点击“开始”。</source>
        <translation>: you can draw as usual, but the order of the draw will not be written to the name list, which stays as it is. To keep the order, make it writable first, then click “Start”.</translation>
    </message>
    <message>
        <source>

仍要抽签吗？</source>
        <translation>

Draw anyway?</translation>
    </message>
    <message>
        <source>

本轮按 %1 人抽签。如果名单有误，请选“否”，点击“修改名单”改正并保存后，再点击“开始”。

要按这 %1 人抽签吗？</source>
        <translation>

This round will draw from %1 people. If the list is wrong, choose “No”, click “Edit list”, correct and save it, then click “Start”.

Draw from these %1 people?</translation>
    </message>
    <message>
        <source>

名单工作簿 name.xls 要放在这个文件夹中。</source>
        <translation>

The name list workbook name.xls belongs in this folder.</translation>
    </message>
    <message>
        <source>找不到名单文件：%1

请把名单工作簿 name.xls 放在这个文件夹中。</source>
        <translation>The name list was not found: %1

Please put the name list workbook name.xls in this folder.</translation>
    </message>
    <message>
        <source>名单文件的位置上是一个%1，不是工作簿：%2

请把它改名或移到别处，再把名单工作簿 name.xls 放在这里，然后点击“开始”。</source>
        <translation>Where the name list should be there is a %1, not a workbook: %2

Please rename it or move it elsewhere, put the name list workbook name.xls there, then click “Start”.</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>名单文件无法读取：%1

它不是有效的工作簿（%2）。请在表格程序中打开它看看；如果那里也打不开，请换用名单的备份。</source>
        <translation>The name list cannot be read: %1

It is not a valid workbook (%2). Try opening it in your spreadsheet program; if it will not open there either, use a backup of the list.</translation>
    </message>
    <message>
        <source>文件已损坏或格式不对</source>
        <translation>the file is damaged or in the wrong format</translation>
    </message>
    <message>
        <source>

名单旁边有上次保存前的名单：%1（隐藏文件），可以用它替换名单文件。</source>
        <translation>

Next to the list is the list as it was before the last save: %1 (a hidden file). You can use it to replace the name list.</translation>
    </message>
    <message>
        <source>没有权限读取名单文件：%1

名单文件本身没有问题，请不要删除它。请让文件的所有者或管理员允许你读取这个文件（以及它所在的文件夹），再点击“开始”。</source>
        <translation>You do not have permission to read the name list: %1

The list itself is fine; please do not delete it. Ask the file&apos;s owner or an administrator to let you read the file (and its folder), then click “Start”.</translation>
    </message>
    <message>
        <source>名单旁边的锁定文件 %1 是一个%2，不是表格程序的锁定文件，名单无法打开：%3

名单文件本身没有问题。请删除或移走这个%2，再点击“开始”。</source>
        <translation>The lock file %1 next to the list is a %2, not a spreadsheet program&apos;s lock file, so the list cannot be opened: %3

The list itself is fine. Please delete or move this %2, then click “Start”.</translation>
    </message>
    <message>
        <source>名单文件设置了打开密码，本程序无法读取：%1

请在表格程序中用密码打开它，去掉密码后保存（另存为时不勾选“使用密码保存”），再点击“开始”。</source>
        <translation>The name list is protected by a password, so this program cannot read it: %1

Open it with the password in your spreadsheet program, remove the password and save it (with “Save with password” unticked under Save As), then click “Start”.</translation>
    </message>
    <message>
        <source>名单文件中没有工作表“sheet1”：%1

请把写有名单的工作表命名为 sheet1 并保存，再点击“开始”。</source>
        <translation>The name list has no worksheet “sheet1”: %1

Please name the worksheet with the list sheet1 and save it, then click “Start”.</translation>
    </message>
    <message>
        <source>名单文件正被 %1 打开：%2

请先在那里保存并关闭它，再点击“开始”。如果并没有程序打开它（例如表格程序曾意外退出），请删除名单旁边的锁定文件 %3，再点击“开始”。</source>
        <translation>The name list is open in %1: %2

Please save and close it there first, then click “Start”. If no program has it open (say the spreadsheet program crashed), delete the lock file %3 next to the list, then click “Start”.</translation>
    </message>
    <message>
        <source>磁盘空间已满，名单文件无法读取：%1

名单文件本身没有损坏，请不要删除它。请删除不需要的文件、腾出磁盘空间后，再点击“开始”。</source>
        <translation>The disk is full, so the name list cannot be read: %1

The list itself is not damaged; please do not delete it. Delete files you no longer need to free some space, then click “Start”.</translation>
    </message>
    <message>
        <source>无法启动表格程序 LibreOffice Calc，名单文件没有读取：%1

%2</source>
        <translation>Cannot start the spreadsheet program LibreOffice Calc, so the name list was not read: %1

%2</translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 意外停止，名单文件没有读取：%1

请再点击一次“开始”。</source>
        <translation>The spreadsheet program LibreOffice Calc stopped unexpectedly, so the name list was not read: %1

Please click “Start” again.</translation>
    </message>
    <message>
        <source>磁盘空间已满，本轮的抽签顺序没有保存到名单文件：%1

名单文件保持上次保存时的内容，没有损坏。请删除不需要的文件、腾出磁盘空间。</source>
        <translation>The disk is full, so the order of this round was not saved to the name list: %1

The list keeps what it held at the last save and is not damaged. Please delete files you no longer need to free some space.</translation>
    </message>
    <message>
        <source>名单文件是只读的，本轮的抽签顺序没有保存：%1

文件保持原样。若要记录抽签顺序，请先取消只读属性。</source>
        <translation>The name list is read-only, so the order of this round was not saved: %1

The file stays as it was. To keep the order, make the file writable first.</translation>
    </message>
    <message>
        <source>名单文件刚刚又被修改并保存过，本轮的抽签顺序没有写入：%1

为了不覆盖这些修改，名单文件保持现在的样子。</source>
        <translation>The name list has just been edited and saved again, so the order of this round was not written: %1

So as not to overwrite those changes, the list stays as it is now.</translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 意外停止，本轮的抽签顺序没有保存到名单文件：%1

名单文件保持上次保存时的内容。</source>
        <translation>The spreadsheet program LibreOffice Calc stopped unexpectedly, so the order of this round was not saved to the name list: %1

The list keeps what it held at the last save.</translation>
    </message>
    <message>
        <source>本轮的抽签顺序没有保存到名单文件：%1

%2名单文件保持上次保存时的内容。请检查名单所在的文件夹还在、可以写入（例如 U 盘是否已拔出）。</source>
        <translation>The order of this round was not saved to the name list: %1

%2The list keeps what it held at the last save. Please check that the list&apos;s folder is still there and can be written to (has the USB stick been pulled out?).</translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 意外停止，抽签顺序无法写入名单文件：%1

本轮可以继续抽签，但抽签顺序不会保存；文件保持上次保存时的内容。</source>
        <translation>The spreadsheet program LibreOffice Calc stopped unexpectedly, so the order cannot be written to the name list: %1

You can go on drawing this round, but the order will not be saved; the file keeps what it held at the last save.</translation>
    </message>
    <message>
        <source>名单文件仍被 %1 打开：%2

请在那里保存修改并关闭它；下次点击“开始”时读入修改后的名单。</source>
        <translation>The name list is still open in %1: %2

Please save your changes there and close it; the edited list is read the next time you click “Start”.</translation>
    </message>
    <message>
        <source>名单文件在本轮抽签期间被修改并保存过：%1

为了不覆盖这些修改，本轮的抽签顺序还没有写入名单文件。

选“是”：把本轮的抽签顺序写入修改后的名单（按编号和姓名找到每个人）。
选“否”：名单文件保持现在的样子，抽签顺序另存到 %2。

要把抽签顺序写入修改后的名单吗？</source>
        <translation>The name list was edited and saved during this round: %1

So as not to overwrite those changes, the order of this round has not been written to the list yet.

“Yes”: write the order of this round into the edited list (finding each person by number and name).
“No”: leave the list as it is now and save the order separately in %2.

Write the order into the edited list?</translation>
    </message>
    <message>
        <source>

本轮的抽签顺序已另存到：%1</source>
        <translation>

The order of this round was saved separately in: %1</translation>
    </message>
    <message>
        <source>

抽签顺序也无法另存到 %1（%2）。请记下本轮的抽签顺序：
%3</source>
        <translation>

The order could not be saved separately in %1 either (%2). Please write down the order of this round:
%3</translation>
    </message>
    <message>
        <source>名单文件在本轮抽签期间被修改并保存过，现在仍被 %1 打开：%2

为了不覆盖这些修改，本轮的抽签顺序没有写入名单文件。</source>
        <translation>The name list was edited and saved during this round and is still open in %1: %2

So as not to overwrite those changes, the order of this round was not written to the list.</translation>
    </message>
    <message>
        <source>名单文件在本轮抽签期间被修改并保存过：%1

名单文件保持现在的样子，本轮的抽签顺序没有写入名单文件。</source>
        <translation>The name list was edited and saved during this round: %1

The list stays as it is now, and the order of this round was not written to it.</translation>
    </message>
    <message>
        <source>本轮的抽签顺序已写入修改后的名单：%1

但修改后的名单中找不到以下抽签者（或有同名同编号的人无法区分），他们的抽签顺序没有写入：
%2</source>
        <translation>The order of this round was written into the edited list: %1

But the following people could not be found in the edited list (or could not be told apart from others with the same number and name), so their places were not written:
%2</translation>
    </message>
    <message>
        <source>本轮的抽签顺序无法写入修改后的名单。

</source>
        <translation>The order of this round could not be written into the edited list.

</translation>
    </message>
</context>
<context>
    <name>OfficeLock</name>
    <message>
        <source>另一个程序</source>
        <translation>another program</translation>
    </message>
    <message>
        <source>Vantrel工具（按名单抽签）</source>
        <translation>Vantrel Tools (name-list draw)</translation>
    </message>
</context>
<context>
    <name>OfficeProcess</name>
    <message>
        <source>LibreOffice 没有安装（找不到 %1）</source>
        <translation>LibreOffice is not installed (%1 not found)</translation>
    </message>
    <message>
        <source>无法建立临时文件夹：%1</source>
        <translation>Cannot create a temporary folder: %1</translation>
    </message>
    <message>
        <source>无法写入临时文件夹 %1</source>
        <translation>Cannot write to the temporary folder %1</translation>
    </message>
    <message>
        <source>LibreOffice 无法启动：%1</source>
        <translation>LibreOffice cannot start: %1</translation>
    </message>
</context>
<context>
    <name>PairingWindow</name>
    <message>
        <source>关闭手机遥控</source>
        <translation>Turn the phone remote off</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Vantrel工具 - 手机遥控</source>
        <translation>Vantrel - Phone remote</translation>
    </message>
    <message>
        <source>用手机扫描下面的二维码，或在手机浏览器中输入地址：</source>
        <translation>Scan the QR code below with your phone, or type the address into the phone&apos;s browser:</translation>
    </message>
    <message>
        <source>手机遥控地址的二维码</source>
        <translation>QR code of the phone remote&apos;s address</translation>
    </message>
    <message>
        <source>手机须与本电脑连在同一个网络上（同一无线网络，或本电脑连接手机的热点），不需要互联网。知道此地址的人都能遥控计时，请勿外传；关闭手机遥控后地址即失效。</source>
        <translation>The phone must be on the same network as this computer (the same wireless network, or this computer on the phone&apos;s hotspot); no internet is needed. Anyone who knows this address can control the timer, so keep it to yourself; it stops working when the phone remote is turned off.</translation>
    </message>
    <message>
        <source>网页时钟（只显示倒计时，可在其他屏幕或学生的设备上打开）：</source>
        <translation>Web clock (the countdown only, for another screen or the students&apos; devices):</translation>
    </message>
</context>
<context>
    <name>PortalShortcuts</name>
    <message>
        <source>显示或隐藏计时工具条</source>
        <translation>Show or hide the countdown strip</translation>
    </message>
    <message>
        <source>计时主界面回到原位</source>
        <translation>Bring the countdown window back</translation>
    </message>
</context>
<context>
    <name>PresetStore</name>
    <message>
        <source>定时一</source>
        <translation>Timer 1</translation>
    </message>
    <message>
        <source>定时二</source>
        <translation>Timer 2</translation>
    </message>
    <message>
        <source>定时三</source>
        <translation>Timer 3</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source><byte value="xd"/>    您好，本软件已运行，请点击任务栏托盘区的钟形图标显示程序界面！    <byte value="xd"/>
</source>
        <translation><byte value="xd"/>    Hello! The program is already running. Click the bell in the system tray to show its window.    <byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>ProgramFolder</name>
    <message>
        <source>环境变量 HOME 没有设置，找不到您的主文件夹。</source>
        <translation>The environment variable HOME is not set, so your home folder cannot be found.</translation>
    </message>
    <message>
        <source>您的主文件夹 %1（环境变量 HOME）不存在。</source>
        <translation>Your home folder %1 (the environment variable HOME) does not exist.</translation>
    </message>
    <message>
        <source>数据文件夹 %1 不存在，也无法建立：</source>
        <translation>The data folder %1 does not exist and cannot be created: </translation>
    </message>
    <message>
        <source>%1 是一个链接，它指向的位置不存在。</source>
        <translation>%1 is a link to a place that does not exist.</translation>
    </message>
    <message>
        <source>%1 是一个文件，不是文件夹。</source>
        <translation>%1 is a file, not a folder.</translation>
    </message>
    <message>
        <source>没有权限在文件夹 %1 中建立文件夹。</source>
        <translation>You do not have permission to create folders in %1.</translation>
    </message>
    <message>
        <source>%1 所在的磁盘是只读的。</source>
        <translation>The disk that holds %1 is read-only.</translation>
    </message>
    <message>
        <source>磁盘空间已满。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>数据文件夹 %1 不存在。</source>
        <translation>The data folder %1 does not exist.</translation>
    </message>
</context>
<context>
    <name>RemoteBridge</name>
    <message>
        <source>正在计时</source>
        <translation>Counting</translation>
    </message>
    <message>
        <source>正在计时，已到提醒时间</source>
        <translation>Counting, reminder reached</translation>
    </message>
    <message>
        <source>暂停计时</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>时间到！</source>
        <translation>Time up!</translation>
    </message>
    <message>
        <source>已超时</source>
        <translation>Overtime</translation>
    </message>
    <message>
        <source>未在计时</source>
        <translation>Not counting</translation>
    </message>
    <message>
        <source>定时选择</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>按顺序号抽签</source>
        <translation>Draw numbers</translation>
    </message>
    <message>
        <source>按名单抽签</source>
        <translation>Draw from the name list</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>与电脑的连接已断开，正在重新连接…</source>
        <translation>Lost the connection to the computer, reconnecting…</translation>
    </message>
    <message>
        <source>Vantrel工具 - 手机遥控</source>
        <translation>Vantrel - Phone remote</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Enlarge</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>手机遥控无法启动：本电脑上没有可用的网络端口。</source>
        <translation>The phone remote could not start: no network port is free on this computer.</translation>
    </message>
</context>
<context>
    <name>SequenceDraw</name>
    <message>
        <source>本轮抽签结束！</source>
        <translation>Round over!</translation>
    </message>
    <message>
        <source>抽  签</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>随机抽取一个序号</source>
        <translation>Draw a number at random</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>进入随机抽签状态</source>
        <translation>Get ready for the next draw</translation>
    </message>
    <message>
        <source>下一轮</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>进行下一轮抽签</source>
        <translation>Start a new round</translation>
    </message>
    <message>
        <source>结  束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>退出抽签程序</source>
        <translation>Leave the draw</translation>
    </message>
    <message>
        <source>已抽出的顺序号</source>
        <translation>Numbers drawn</translation>
    </message>
    <message>
        <source>已抽出顺序号如下：</source>
        <translation>Numbers drawn so far:</translation>
    </message>
    <message>
        <source>抽签总人数为</source>
        <translation>People in the draw: </translation>
    </message>
    <message>
        <source>人，</source>
        <translation>; </translation>
    </message>
    <message>
        <source>Vantrel工具 - 随机抽签程序</source>
        <translation>Vantrel Tools - Random Draw</translation>
    </message>
    <message>
        <source>请点击“抽签”按钮开始抽签</source>
        <translation>Click “Draw” to begin</translation>
    </message>
    <message>
        <source>请点击“抽签”按钮</source>
        <translation>Click “Draw”</translation>
    </message>
    <message>
        <source>您抽取的顺序号为:</source>
        <translation>Your number is:</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>超时后继续计时</source>
        <translation>Count on in overtime</translation>
    </message>
    <message>
        <source>时间到后不停止，以红色“+分 : 秒”显示超出的时间，直到点击“停止”。</source>
        <translation>After time-up the count goes on, showing the time over in red as &quot;+min : s&quot;, until you press Stop.</translation>
    </message>
    <message>
        <source>按进度显示数字颜色</source>
        <translation>Colour the digits by pace</translation>
    </message>
    <message>
        <source>剩余时间多于提醒时间时数字为绿色，到提醒时间后为橙色，时间到及超时为红色。</source>
        <translation>Digits are green while more than the reminder time is left, amber from the reminder, red at time-up and in overtime.</translation>
    </message>
    <message>
        <source>记住预设时间</source>
        <translation>Remember the presets</translation>
    </message>
    <message>
        <source>三个预设各自保留上次开始时的定时时间和提醒时间，下次启动后仍然有效。</source>
        <translation>Each of the three presets keeps the time and reminder it was last started with, also after a restart.</translation>
    </message>
    <message>
        <source>时间到时遮罩屏幕：</source>
        <translation>Cover the screen at time-up:</translation>
    </message>
    <message>
        <source>不显示</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>放映所在的屏幕</source>
        <translation>The slide show&apos;s screen</translation>
    </message>
    <message>
        <source>所有屏幕</source>
        <translation>Every screen</translation>
    </message>
    <message>
        <source>时间到时，在屏幕上显示半透明的大字“时间到！”六秒钟，全班都能看到；不影响放映的操作。</source>
        <translation>At time-up, a see-through &quot;Time up!&quot; in large type covers the screen for six seconds so the whole class sees it; the slide show keeps working.</translation>
    </message>
    <message>
        <source>提示音音量：</source>
        <translation>Chime volume:</translation>
    </message>
    <message>
        <source>提示音音量</source>
        <translation>Chime volume</translation>
    </message>
    <message>
        <source>所有提示音的音量，0 到 100。</source>
        <translation>Loudness of every chime, from 0 to 100.</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>不播放任何提示音。</source>
        <translation>No chimes at all.</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>设置无法保存到设置文件，只在本次运行中有效。</source>
        <translation>The settings could not be saved to the settings file; they hold only until Vantrel ends.</translation>
    </message>
    <message>
        <source>多个班级名单</source>
        <translation>Several class lists</translation>
    </message>
    <message>
        <source>按名单抽签时可以换名单、新建名单，标记缺席、撤销抽签，并保存抽签记录。</source>
        <translation>The name-list draw can change and create lists, mark students absent, undo a draw and keep a history of the draws.</translation>
    </message>
    <message>
        <source>手机遥控</source>
        <translation>Phone remote</translation>
    </message>
    <message>
        <source>用手机浏览器遥控计时和抽签；勾选后立即开启，以后随程序启动。</source>
        <translation>Control the timer and the draws from a phone&apos;s browser; on at once when ticked, and at every start.</translation>
    </message>
</context>
<context>
    <name>ShowTitle</name>
    <message>
        <source>Vantrel 幻灯片放映</source>
        <translation>Vantrel Slide Show</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>（进程号 %1）</source>
        <translation> (process %1)</translation>
    </message>
    <message>
        <source>本软件已在运行%1，但没有应答，可能正忙或已停止响应。

请稍候再启动本软件；如果一直没有应答，请在系统监视器中结束 vantrel，或者注销后重新登录。</source>
        <translation>The program is already running%1 but does not answer; it may be busy or have stopped responding.

Please wait a moment and start it again. If it still does not answer, end vantrel in the system monitor, or log out and back in.</translation>
    </message>
</context>
<context>
    <name>SlideDraw</name>
    <message>
        <source>PPT图文随机抽签</source>
        <translation>Random Slide Draw</translation>
    </message>
    <message>
        <source>准备</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>抽签</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>抽中的幻灯片/幻灯片总数</source>
        <translation>Slide drawn / number of slides</translation>
    </message>
    <message>
        <source>这个版本不能放映幻灯片。</source>
        <translation>This version cannot show slides.</translation>
    </message>
    <message>
        <source>文件打不开。</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>文件里没有幻灯片。</source>
        <translation>The file has no slides.</translation>
    </message>
    <message>
        <source>无法用抽签文件 %1 抽签：%2
请把要抽签的演示文稿以 %1 为名放在 %3 中。</source>
        <translation>Cannot draw from the deck %1: %2
Please name the presentation to draw from %1 and put it in %3.</translation>
    </message>
    <message>
        <source>无法用抽签文件 %1 抽签：%2</source>
        <translation>Cannot draw from the deck %1: %2</translation>
    </message>
    <message>
        <source>PPT随机抽签程序提示：</source>
        <translation>Random Slide Draw:</translation>
    </message>
    <message>
        <source>本轮抽签结束！！！  </source>
        <translation>This round is over!  </translation>
    </message>
    <message>
        <source>正在抽签</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>放映已结束</source>
        <translation>The show has ended</translation>
    </message>
    <message>
        <source>放映已结束：按“准备”重新放映并继续本轮抽签，按“退出”返回主窗口。</source>
        <translation>The show has ended: press “Ready” to show it again and go on with this round, or “Exit” to return to the main window.</translation>
    </message>
</context>
<context>
    <name>SpokenTexts</name>
    <message numerus="yes">
        <source>%n 分钟</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 秒</source>
        <translation>
            <numerusform>%n second</numerusform>
            <numerusform>%n seconds</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message numerus="yes">
        <source>%n 分</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>剩余 %1</source>
        <translation>%1 left</translation>
    </message>
    <message>
        <source>还剩 %1</source>
        <translation>%1 left</translation>
    </message>
    <message>
        <source>时间到</source>
        <translation>Time&apos;s up</translation>
    </message>
    <message>
        <source>抽中 %1，本轮抽签结束</source>
        <translation>Drawn: %1. The round is over</translation>
    </message>
    <message>
        <source>抽中 %1</source>
        <translation>Drawn: %1</translation>
    </message>
</context>
<context>
    <name>SqliteDrawHistory</name>
    <message>
        <source>抽签记录无法写入 %1：%2</source>
        <translation>The draw history could not be written to %1: %2</translation>
    </message>
    <message>
        <source>没有 SQLite 数据库驱动。</source>
        <translation>The SQLite database driver is missing.</translation>
    </message>
</context>
<context>
    <name>TableFile</name>
    <message>
        <source>磁盘空间已满，文件没有写入：%1</source>
        <translation>The disk is full; the file was not written: %1</translation>
    </message>
    <message>
        <source>文件或它所在的文件夹是只读的，文件没有写入：%1</source>
        <translation>The file or its folder is read-only; the file was not written: %1</translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 没有运行，文件没有写入：%1</source>
        <translation>The spreadsheet program LibreOffice Calc is not running; the file was not written: %1</translation>
    </message>
    <message>
        <source>文件没有写入：%1

%2</source>
        <translation>The file was not written: %1

%2</translation>
    </message>
    <message>
        <source>请检查文件夹可以写入。</source>
        <translation>Please check that the folder can be written to.</translation>
    </message>
</context>
<context>
    <name>TimeEntry</name>
    <message>
        <source>Vantrel工具</source>
        <translation>Vantrel Tools</translation>
    </message>
    <message>
        <source>请输入定时时间，定时时间至少需大于20秒</source>
        <translation>Please enter the time; it must be more than 20 seconds</translation>
    </message>
    <message>
        <source>“定时时间”需大于“提前提醒时间”至少10秒，请重新输入</source>
        <translation>The time must be at least 10 seconds longer than the reminder. Please enter them again</translation>
    </message>
    <message>
        <source>“分”钟值范围：0-99，“秒”钟值范围：1-59，点击“确定”后请在光标指示位置输入一个0-59的数字!</source>
        <translation>Minutes go from 0 to 99 and seconds from 1 to 59. After clicking “OK”, enter a number from 0 to 59 where the cursor is!</translation>
    </message>
</context>
<context>
    <name>TimeEntryControls</name>
    <message>
        <source>输入定时时间：</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>定时时间须大于0，最多两位数字</source>
        <translation>The time must be more than 0, at most two digits</translation>
    </message>
    <message>
        <source>定时时间：分</source>
        <translation>Time: minutes</translation>
    </message>
    <message>
        <source>分</source>
        <translation>m</translation>
    </message>
    <message>
        <source>定时时间：秒</source>
        <translation>Time: seconds</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>提前提醒时间：</source>
        <translation>Remind:</translation>
    </message>
    <message>
        <source>提前提醒时间须小于定时时间，也可以为0</source>
        <translation>The reminder must be shorter than the time; it may be 0</translation>
    </message>
    <message>
        <source>提前提醒时间：分</source>
        <translation>Reminder: minutes</translation>
    </message>
    <message>
        <source>提前提醒时间：秒</source>
        <translation>Reminder: seconds</translation>
    </message>
    <message>
        <source>当前定时选择：</source>
        <translation>Preset:</translation>
    </message>
</context>
<context>
    <name>TimeText</name>
    <message>
        <source>定时 %1:%2 提前 %3:%4</source>
        <translation>Time %1:%2 Remind %3:%4</translation>
    </message>
    <message>
        <source>还剩%1分%2秒!</source>
        <translation>%1 min %2 s left!</translation>
    </message>
    <message>
        <source>定时%1分%2秒</source>
        <translation>Time %1:%2</translation>
    </message>
    <message>
        <source>%1,剩余%2分%3秒</source>
        <translation>%1, %2:%3 left</translation>
    </message>
    <message>
        <source>超时 %1 分 %2 秒</source>
        <translation>%1 min %2 s over</translation>
    </message>
</context>
<context>
    <name>TimeUpCover</name>
    <message>
        <source> 时间到！</source>
        <translation>Time up!</translation>
    </message>
</context>
<context>
    <name>ToolStrip</name>
    <message>
        <source>定时00分00秒,剩余00分00秒</source>
        <translation>Time 00:00, 00:00 left</translation>
    </message>
    <message>
        <source>请将本工具条拖动到最合适的显示位置</source>
        <translation>Drag this strip to where it suits you best</translation>
    </message>
    <message>
        <source>鼠标单击此图标显示计时主界面</source>
        <translation>Click this icon to show the main window</translation>
    </message>
    <message>
        <source>显示计时主界面</source>
        <translation>Show the main window</translation>
    </message>
    <message>
        <source>鼠标单击此图标关闭工具条，按功能键F11恢复显示</source>
        <translation>Click this icon to close the strip; press F11 to bring it back</translation>
    </message>
    <message>
        <source>关闭工具条</source>
        <translation>Close the strip</translation>
    </message>
    <message>
        <source>温馨提示：</source>
        <translation>Tip:</translation>
    </message>
    <message>
        <source>点击“确认”按钮将隐藏半透明工具栏和程序主窗口。要恢复显示计时主窗口，可点击任务栏“托盘区”的钟形图标，或者按&lt;b&gt;&lt;font color=&quot;#ff0000&quot;&gt;功能键F11.&lt;/font&gt;&lt;/b&gt;</source>
        <translation>“OK” hides the strip and the main window. To bring the main window back, click the bell in the system tray or press &lt;b&gt;&lt;font color=&quot;#ff0000&quot;&gt;F11.&lt;/font&gt;&lt;/b&gt;</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Vantrel工具</source>
        <translation>Vantrel Tools</translation>
    </message>
    <message>
        <source>此桌面没有托盘区，无法通过钟形图标恢复程序，因此工具条将保留在屏幕上。
点击工具条左侧的图标或按功能键F11可恢复计时主窗口。</source>
        <translation>This desktop has no system tray, so there is no bell to bring the program back, and the strip will stay on screen.
Click the icon on the left of the strip or press F11 to bring back the main window.</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>点击鼠标左键显示计时主窗口，按右键退出本程序</source>
        <translation>Left-click to show the countdown window, right-click to quit</translation>
    </message>
    <message>
        <source>确实要退出Vantrel程序吗?</source>
        <translation>Do you really want to quit Vantrel?</translation>
    </message>
    <message>
        <source>打开程序文件夹</source>
        <translation>Open data folder</translation>
    </message>
    <message>
        <source>退出Vantrel程序</source>
        <translation>Quit Vantrel</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>手机遥控</source>
        <translation>Phone remote</translation>
    </message>
</context>
<context>
    <name>Vantrel</name>
    <message>
        <source>Vantrel工具提示：</source>
        <translation>Vantrel Tools</translation>
    </message>
</context>
<context>
    <name>WindowTracking</name>
    <message>
        <source>以下三种情况不能隐藏主界面            

    1.当前未开始计时，或
    2.当前为暂停计时，或
3.当前打开了PPT文件但没有播放该文件</source>
        <translation>The main window cannot be hidden when:

    1. the countdown has not started, or
    2. the countdown is paused, or
    3. a presentation is open but its show is not running</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>

“按名单随机抽签”和“PPT图文随机抽签”要用的文件（name.xls、MYPPT.ppt）都放在这个文件夹中，解决这个问题之前无法使用；计时器可以照常使用。</source>
        <translation>

The files of “Draw from name list” and “Draw random slides” (name.xls, MYPPT.ppt) belong in this folder, so those draws cannot be used until this is solved; the countdown works as usual.</translation>
    </message>
</context>
</TS>
