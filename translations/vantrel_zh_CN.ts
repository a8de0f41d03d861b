<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>BuiltInPresentation</name>
    <message>
        <source>无法打开演示文稿 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件 %1 无法读取，可能已损坏。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>演示文稿里没有幻灯片。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CountDisplay</name>
    <message>
        <source>正在计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂停计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示剩余的时间,双击数字可放大计时窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 时间到！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>还剩1分10秒！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时 00:00 提前 00:00</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CountdownMirror</name>
    <message>
        <source>  当前计时状态：停止计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  当前计时状态：正在计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  当前计时状态：暂停计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时%1分%2秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1,剩余%2分%3秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  当前计时状态：超时计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1,超时%2分%3秒</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataFolderLink</name>
    <message>
        <source>打开程序文件夹</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeckConversionNotice</name>
    <message>
        <source>正在准备演示文稿</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在打开演示文稿 %1，请稍候…
第一次打开时要先转换，可能需要十几秒；以后再打开就快了。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeckConverter</name>
    <message>
        <source>缓存文件夹无法建立：%1 是一个文件，不是文件夹。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缓存文件夹 %1 不能写入（没有写入权限，或者磁盘是只读的）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法建立缓存文件夹 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到文件 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 不是一个文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取文件 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件 %1 是空的。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>演示文稿 %1 太大了（%2，超过 %3），无法打开。请压缩其中的图片、删去其中的视频后再试。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有找到 LibreOffice，无法打开演示文稿 %1。请安装 libreoffice-impress。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法启动 LibreOffice（%1）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LibreOffice 转换 %1 超时。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>演示文稿 %1 在打开的过程中被改动了，请再打开一次。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开演示文稿 %1：文件可能已损坏、设有打开密码，或者不是演示文稿。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入缓存文件 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序正在退出。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopFolder</name>
    <message>
        <source>无法打开文件夹，请在文件管理器中打开：
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopNotice</name>
    <message>
        <source>窗口不能自行摆放：标准位置、居中、到时滑动和贴边隐藏都不起作用。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具条不一定能留在全屏放映的上面。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F9 和 F11 只在本软件的窗口为当前窗口时有效，放映时按下不起作用。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F9 和 F11 不起作用。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>其他程序直接在 Wayland 上运行的窗口（例如演示程序的放映）看不到，“缩小”不会因它们而改变。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用工具条左边的图标回到主界面，用托盘里的铃铛图标显示或退出本软件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用本软件自带的放映播放演示文稿，它总能被认出。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>安装 XWayland（软件包 xwayland）后重新启动本软件，或者登录时选择 X11 会话，窗口就能正常摆放。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本桌面为 Wayland 会话，有些功能受到限制：

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
替代办法：
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DrawHistoryView</name>
    <message>
        <source>抽签记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签者</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽中次数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽中次数和权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>少抽过的优先</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在这个名单以往的抽签中被抽中次数少的人，更容易被抽到</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签记录 - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这个名单还没有抽签记录。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  缺席：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  撤销：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DrawLauncher</name>
    <message>
        <source>请输入抽签总人数：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示：抽签总人数必须为数值，控制在2-200人之内</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签总人数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结束抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>继续抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择所需功能</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>随机抽取顺序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按名单随机抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PPT图文随机抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放PPT说明文件一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放PPT说明文件二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
本轮抽签还没有结束

您确实要退出抽签程序吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此版本尚未提供“%1”功能。
请选择其他功能，或关闭本窗口返回主窗口。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具 - 抽签</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EnlargedWindow</name>
    <message>
        <source>Vantrel工具 放大计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前计时状态：暂停计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>双击红色数字可关闭本窗口，自动返回主程序界面</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>管道（FIFO）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>特殊文件</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FlowConductor</name>
    <message>
        <source>Vantrel工具</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此版本不提供放大计时窗口。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpOpening</name>
    <message>
        <source>没有找到帮助文件（%1）。
请重新安装Vantrel，帮助文件随程序一起安装。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Vantrel工具 帮助</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistorySheet</name>
    <message>
        <source>日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>顺序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>姓名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>情况</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺席</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstructionShowBinding</name>
    <message>
        <source>无法播放说明文件 %1：%2
说明文件应以 %1 为名放在 %3 中。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibreOfficeSpreadsheet</name>
    <message>
        <source>名单所在的文件夹已不存在。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件的位置上是一个文件夹。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读写磁盘时出错。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入名单所在的文件夹。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LibreOffice 没有在规定时间内启动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是 .xls、.xlsx 或 .ods 文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是空的（0 字节）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表格程序无法写出名单文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出的文件是空的。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件可能只写入了一部分；保存前的名单在 %1，可以用它替换名单文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是 .xls、.xlsx、.ods 或 .csv 文件</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>继续</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂停</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>继续开始定时器计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂停定时器计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确实要停止计时吗?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具    程序载入， 请稍候…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel 标志</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>启动定时器，开始计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>停止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>停止定时器计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缩小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>点击查看详细帮助信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认后退出本软件！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageBoxDialogs</name>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>否</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>位置：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件名：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件类型：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>后退</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前进</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一级文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>详细信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 已经存在。要替换它吗？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModuleLibrary</name>
    <message>
        <source>找不到模块 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>模块 %1 与程序的版本不符</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModuleSpreadsheet</name>
    <message>
        <source>本机没有安装 LibreOffice Calc（按名单抽签需要它）。请安装 libreoffice-calc 软件包后再试。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NameList</name>
    <message>
        <source>这个版本没有表格程序。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NameListDraw</name>
    <message>
        <source>开始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一轮</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原始编号:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原始编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽 签 者:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签者</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.核对总人数是否有误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2.保存修改后的名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4.退出抽签界面后重新进入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是当前抽签者抽签得到的顺序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是参加抽签的总人数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具 - 按名单随机抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>点击“开始”按钮</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开始抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序载入中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请稍候...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回主界面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本轮抽签结束!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稍后将自动打开LibreOffice，修改名单后请：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.关闭LibreOffice Calc窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换名单…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺席</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>刚抽到的人今天不在：本轮不再抽他，他的抽签顺序空着</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销本轮的上一次抽签：这个人回到签筒里</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>默认名单（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>其他名单…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel 97 工作簿 (*.xls);;Excel 工作簿 (*.xlsx);;ODF 电子表格 (*.ods);;CSV 文件 (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>姓名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签顺序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出抽签记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-抽签记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel 工作簿 (*.xlsx);;ODF 电子表格 (*.ods);;CSV 文件 (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本轮抽签结束后才能导出为 .xlsx 或 .ods 文件；现在可以导出为 .csv 文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签记录已导出到：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NameListFile</name>
    <message>
        <source>名单文件：%1

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单元格 A1 应填写参加抽签的总人数（1 到 200 之间的整数）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作表 sheet1 的单元格 A1 是空的。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作表 sheet1 的单元格 A1 不是人数（“%1”）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作表 sheet1 的单元格 A1 中的人数是 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单元格 A1 中的人数 %1 不是整数，按 %2 人计。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单元格 A1 写的是 %1 人，但一轮最多 %2 人。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 到第 %2 行中只有 %3 个姓名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单元格 A1 写的是 %1 人，但</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>；没有姓名的行不参加抽签。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单中共有 %1 个姓名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：只有第 %1 到第 %2 行参加抽签，下面的 %3 个姓名不参加。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 到第 %2 行的 B 列中没有姓名，没有人可以抽签。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请从第 %1 行起在 A 列填写编号、B 列填写姓名，并在单元格 A1 填写总人数。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件是只读的（写保护）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件所在的文件夹是只读的（写保护）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：可以照常抽签，但抽签顺序不会写入名单文件，文件保持原样。若要记录抽签顺序，请先取消只读属性，再点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

仍要抽签吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

本轮按 %1 人抽签。如果名单有误，请选“否”，点击“修改名单”改正并保存后，再点击“开始”。

要按这 %1 人抽签吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

名单工作簿 name.xls 要放在这个文件夹中。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到名单文件：%1

请把名单工作簿 name.xls 放在这个文件夹中。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件的位置上是一个%1，不是工作簿：%2

请把它改名或移到别处，再把名单工作簿 name.xls 放在这里，然后点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件无法读取：%1

它不是有效的工作簿（%2）。请在表格程序中打开它看看；如果那里也打不开，请换用名单的备份。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件已损坏或格式不对</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

名单旁边有上次保存前的名单：%1（隐藏文件），可以用它替换名单文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有权限读取名单文件：%1

名单文件本身没有问题，请不要删除它。请让文件的所有者或管理员允许你读取这个文件（以及它所在的文件夹），再点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单旁边的锁定文件 %1 是一个%2，不是表格程序的锁定文件，名单无法打开：%3

名单文件本身没有问题。请删除或移走这个%2，再点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件设置了打开密码，本程序无法读取：%1

请在表格程序中用密码打开它，去掉密码后保存（另存为时不勾选“使用密码保存”），再点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件中没有工作表“sheet1”：%1

请把写有名单的工作表命名为 sheet1 并保存，再点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件正被 %1 打开：%2

请先在那里保存并关闭它，再点击“开始”。如果并没有程序打开它（例如表格程序曾意外退出），请删除名单旁边的锁定文件 %3，再点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁盘空间已满，名单文件无法读取：%1

名单文件本身没有损坏，请不要删除它。请删除不需要的文件、腾出磁盘空间后，再点击“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法启动表格程序 LibreOffice Calc，名单文件没有读取：%1

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 意外停止，名单文件没有读取：%1

请再点击一次“开始”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁盘空间已满，本轮的抽签顺序没有保存到名单文件：%1

名单文件保持上次保存时的内容，没有损坏。请删除不需要的文件、腾出磁盘空间。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件是只读的，本轮的抽签顺序没有保存：%1

文件保持原样。若要记录抽签顺序，请先取消只读属性。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件刚刚又被修改并保存过，本轮的抽签顺序没有写入：%1

为了不覆盖这些修改，名单文件保持现在的样子。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 意外停止，本轮的抽签顺序没有保存到名单文件：%1

名单文件保持上次保存时的内容。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本轮的抽签顺序没有保存到名单文件：%1

%2名单文件保持上次保存时的内容。请检查名单所在的文件夹还在、可以写入（例如 U 盘是否已拔出）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 意外停止，抽签顺序无法写入名单文件：%1

本轮可以继续抽签，但抽签顺序不会保存；文件保持上次保存时的内容。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件仍被 %1 打开：%2

请在那里保存修改并关闭它；下次点击“开始”时读入修改后的名单。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件在本轮抽签期间被修改并保存过：%1

为了不覆盖这些修改，本轮的抽签顺序还没有写入名单文件。

选“是”：把本轮的抽签顺序写入修改后的名单（按编号和姓名找到每个人）。
选“否”：名单文件保持现在的样子，抽签顺序另存到 %2。

要把抽签顺序写入修改后的名单吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

本轮的抽签顺序已另存到：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

抽签顺序也无法另存到 %1（%2）。请记下本轮的抽签顺序：
%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件在本轮抽签期间被修改并保存过，现在仍被 %1 打开：%2

为了不覆盖这些修改，本轮的抽签顺序没有写入名单文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名单文件在本轮抽签期间被修改并保存过：%1

名单文件保持现在的样子，本轮的抽签顺序没有写入名单文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本轮的抽签顺序已写入修改后的名单：%1

但修改后的名单中找不到以下抽签者（或有同名同编号的人无法区分），他们的抽签顺序没有写入：
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本轮的抽签顺序无法写入修改后的名单。

</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OfficeLock</name>
    <message>
        <source>另一个程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具（按名单抽签）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OfficeProcess</name>
    <message>
        <source>LibreOffice 没有安装（找不到 %1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法建立临时文件夹：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入临时文件夹 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LibreOffice 无法启动：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PairingWindow</name>
    <message>
        <source>关闭手机遥控</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具 - 手机遥控</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用手机扫描下面的二维码，或在手机浏览器中输入地址：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手机遥控地址的二维码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手机须与本电脑连在同一个网络上（同一无线网络，或本电脑连接手机的热点），不需要互联网。知道此地址的人都能遥控计时，请勿外传；关闭手机遥控后地址即失效。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网页时钟（只显示倒计时，可在其他屏幕或学生的设备上打开）：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortalShortcuts</name>
    <message>
        <source>显示或隐藏计时工具条</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计时主界面回到原位</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PresetStore</name>
    <message>
        <source>定时一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时三</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source><byte value="xd"/>    您好，本软件已运行，请点击任务栏托盘区的钟形图标显示程序界面！    <byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgramFolder</name>
    <message>
        <source>环境变量 HOME 没有设置，找不到您的主文件夹。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>您的主文件夹 %1（环境变量 HOME）不存在。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据文件夹 %1 不存在，也无法建立：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 是一个链接，它指向的位置不存在。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 是一个文件，不是文件夹。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有权限在文件夹 %1 中建立文件夹。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 所在的磁盘是只读的。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁盘空间已满。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据文件夹 %1 不存在。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemoteBridge</name>
    <message>
        <source>正在计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在计时，已到提醒时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂停计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间到！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未在计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按顺序号抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按名单抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>否</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>与电脑的连接已断开，正在重新连接…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具 - 手机遥控</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已超时</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>手机遥控无法启动：本电脑上没有可用的网络端口。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SequenceDraw</name>
    <message>
        <source>本轮抽签结束！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽  签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>随机抽取一个序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>进入随机抽签状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一轮</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>进行下一轮抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结  束</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出抽签程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已抽出的顺序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已抽出顺序号如下：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签总人数为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>人，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具 - 随机抽签程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请点击“抽签”按钮开始抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请点击“抽签”按钮</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>您抽取的顺序号为:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>超时后继续计时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间到后不停止，以红色“+分 : 秒”显示超出的时间，直到点击“停止”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按进度显示数字颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剩余时间多于提醒时间时数字为绿色，到提醒时间后为橙色，时间到及超时为红色。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>记住预设时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>三个预设各自保留上次开始时的定时时间和提醒时间，下次启动后仍然有效。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间到时遮罩屏幕：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放映所在的屏幕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所有屏幕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间到时，在屏幕上显示半透明的大字“时间到！”六秒钟，全班都能看到；不影响放映的操作。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示音音量：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示音音量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所有提示音的音量，0 到 100。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>静音</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不播放任何提示音。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置无法保存到设置文件，只在本次运行中有效。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>多个班级名单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按名单抽签时可以换名单、新建名单，标记缺席、撤销抽签，并保存抽签记录。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手机遥控</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用手机浏览器遥控计时和抽签；勾选后立即开启，以后随程序启动。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShowTitle</name>
    <message>
        <source>Vantrel 幻灯片放映</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>（进程号 %1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本软件已在运行%1，但没有应答，可能正忙或已停止响应。

请稍候再启动本软件；如果一直没有应答，请在系统监视器中结束 vantrel，或者注销后重新登录。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SlideDraw</name>
    <message>
        <source>PPT图文随机抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>准备</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽中的幻灯片/幻灯片总数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这个版本不能放映幻灯片。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件打不开。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件里没有幻灯片。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法用抽签文件 %1 抽签：%2
请把要抽签的演示文稿以 %1 为名放在 %3 中。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法用抽签文件 %1 抽签：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PPT随机抽签程序提示：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本轮抽签结束！！！  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在抽签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放映已结束</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放映已结束：按“准备”重新放映并继续本轮抽签，按“退出”返回主窗口。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpokenTexts</name>
    <message numerus="yes">
        <source>%n 分钟</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 秒</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n 分</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>剩余 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>还剩 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间到</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽中 %1，本轮抽签结束</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽中 %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SqliteDrawHistory</name>
    <message>
        <source>抽签记录无法写入 %1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有 SQLite 数据库驱动。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableFile</name>
    <message>
        <source>磁盘空间已满，文件没有写入：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件或它所在的文件夹是只读的，文件没有写入：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表格程序 LibreOffice Calc 没有运行，文件没有写入：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件没有写入：%1

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请检查文件夹可以写入。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeEntry</name>
    <message>
        <source>Vantrel工具</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入定时时间，定时时间至少需大于20秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“定时时间”需大于“提前提醒时间”至少10秒，请重新输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“分”钟值范围：0-99，“秒”钟值范围：1-59，点击“确定”后请在光标指示位置输入一个0-59的数字!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeEntryControls</name>
    <message>
        <source>输入定时时间：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时时间须大于0，最多两位数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时时间：分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时时间：秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提前提醒时间：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提前提醒时间须小于定时时间，也可以为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提前提醒时间：分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提前提醒时间：秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前定时选择：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeText</name>
    <message>
        <source>定时 %1:%2 提前 %3:%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>还剩%1分%2秒!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时%1分%2秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1,剩余%2分%3秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超时 %1 分 %2 秒</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeUpCover</name>
    <message>
        <source> 时间到！</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolStrip</name>
    <message>
        <source>定时00分00秒,剩余00分00秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请将本工具条拖动到最合适的显示位置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>鼠标单击此图标显示计时主界面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示计时主界面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>鼠标单击此图标关闭工具条，按功能键F11恢复显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭工具条</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>温馨提示：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>点击“确认”按钮将隐藏半透明工具栏和程序主窗口。要恢复显示计时主窗口，可点击任务栏“托盘区”的钟形图标，或者按&lt;b&gt;&lt;font color=&quot;#ff0000&quot;&gt;功能键F11.&lt;/font&gt;&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel工具</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此桌面没有托盘区，无法通过钟形图标恢复程序，因此工具条将保留在屏幕上。
点击工具条左侧的图标或按功能键F11可恢复计时主窗口。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>点击鼠标左键显示计时主窗口，按右键退出本程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确实要退出Vantrel程序吗?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开程序文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出Vantrel程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手机遥控</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Vantrel</name>
    <message>
        <source>Vantrel工具提示：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowTracking</name>
    <message>
        <source>以下三种情况不能隐藏主界面            

    1.当前未开始计时，或
    2.当前为暂停计时，或
3.当前打开了PPT文件但没有播放该文件</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>

“按名单随机抽签”和“PPT图文随机抽签”要用的文件（name.xls、MYPPT.ppt）都放在这个文件夹中，解决这个问题之前无法使用；计时器可以照常使用。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
