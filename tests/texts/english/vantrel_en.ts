<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Vantrel工具</source>
        <translation>Vantrel Tools</translation>
    </message>
</context>
<context>
    <name>TimeText</name>
    <message>
        <source>还剩%1分%2秒!</source>
        <translation>%1 min %2 s left!</translation>
    </message>
</context>
</TS>
