<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>Planted</name>
    <message>
        <source>开始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定时 %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新的文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n 秒</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>停止</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
