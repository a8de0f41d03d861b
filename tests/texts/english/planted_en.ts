<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Planted</name>
    <message>
        <source>开始</source>
        <translation type="unfinished">Start</translation>
    </message>
    <message>
        <source>定时 %1:%2</source>
        <translation>Time %1</translation>
    </message>
    <message numerus="yes">
        <source>%n 秒</source>
        <translation>
            <numerusform>%n second</numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
</TS>
