#!/usr/bin/env python3
"""Writes the flat ODF sources of the shipped decks (MYPPT.fodp, Note1.fodp, Note2.fodp).

The texts and pictures of the decks live here; build-decks.sh turns the sources into the
PowerPoint files the program ships. The .fodp files can also be opened and edited in Impress.
"""
import colorsys
import math
import os
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "Noto Sans CJK SC"
WIDTH, HEIGHT = 28.0, 15.75  # cm, 16:9

HEAD = f"""<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0" office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:font-face-decls><style:font-face style:name="{FONT}" svg:font-family="'{FONT}'"/></office:font-face-decls>
"""


def text_style(name, size, colour, bold=False, align="center", spacing=0.2):
    weight = ' fo:font-weight="bold" style:font-weight-asian="bold"' if bold else ""
    return (f'<style:style style:name="{name}" style:family="paragraph">'
            f'<style:paragraph-properties fo:text-align="{align}" fo:margin-bottom="{spacing}cm"/>'
            f'<style:text-properties style:font-name="{FONT}" style:font-name-asian="{FONT}" '
            f'fo:font-size="{size}pt" style:font-size-asian="{size}pt" fo:color="{colour}"{weight}/>'
            f'</style:style>')


def fill_style(name, colour, stroke="none"):
    line = f'draw:stroke="solid" svg:stroke-color="{stroke}" svg:stroke-width="0.08cm"' if stroke != "none" else 'draw:stroke="none"'
    return (f'<style:style style:name="{name}" style:family="graphic"><style:graphic-properties '
            f'{line} draw:fill="solid" draw:fill-color="{colour}" draw:textarea-vertical-align="middle"/></style:style>')


def page_style(name, colour):
    return (f'<style:style style:name="{name}" style:family="drawing-page"><style:drawing-page-properties '
            f'presentation:visibility="visible" draw:fill="solid" draw:fill-color="{colour}"/></style:style>')


def document(styles, pages):
    return (HEAD + "<office:automatic-styles>\n"
            f'<style:page-layout style:name="PM1"><style:page-layout-properties fo:margin-top="0cm" fo:margin-bottom="0cm" '
            f'fo:margin-left="0cm" fo:margin-right="0cm" fo:page-width="{WIDTH}cm" fo:page-height="{HEIGHT}cm" '
            f'style:print-orientation="landscape"/></style:page-layout>\n'
            + fill_style("none", "#ffffff").replace('draw:fill="solid" draw:fill-color="#ffffff"', 'draw:fill="none"') + "\n"
            + "\n".join(styles) + "\n</office:automatic-styles>\n"
            '<office:master-styles><style:master-page style:name="Default" style:page-layout-name="PM1"/></office:master-styles>\n'
            "<office:body><office:presentation>\n" + "\n".join(pages) + "\n</office:presentation></office:body></office:document>\n")


def frame(x, y, w, h, paragraphs, style="none"):
    body = "".join(f'<text:p text:style-name="{p}">{escape(t)}</text:p>' for p, t in paragraphs)
    return (f'<draw:frame draw:style-name="{style}" svg:x="{x}cm" svg:y="{y}cm" svg:width="{w}cm" svg:height="{h}cm">'
            f'<draw:text-box>{body}</draw:text-box></draw:frame>')


def polygon(style, cx, cy, r, corners, turn=-90.0):
    points = []
    for i in range(corners):
        a = math.radians(turn + 360.0 * i / corners)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    x0, y0 = min(p[0] for p in points), min(p[1] for p in points)
    x1, y1 = max(p[0] for p in points), max(p[1] for p in points)
    w, h = x1 - x0, y1 - y0
    scale = 1000.0
    rel = " ".join(f"{int((px - x0) / w * scale)},{int((py - y0) / h * scale)}" for px, py in points)
    return (f'<draw:polygon draw:style-name="{style}" svg:x="{x0:.2f}cm" svg:y="{y0:.2f}cm" svg:width="{w:.2f}cm" '
            f'svg:height="{h:.2f}cm" svg:viewBox="0 0 {int(scale)} {int(scale)}" draw:points="{rel}"/>')


def star(style, cx, cy, r, spikes=5):
    points = []
    for i in range(spikes * 2):
        radius = r if i % 2 == 0 else r * 0.45
        a = math.radians(-90 + 180.0 * i / spikes)
        points.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    x0, y0 = min(p[0] for p in points), min(p[1] for p in points)
    w = max(p[0] for p in points) - x0
    h = max(p[1] for p in points) - y0
    rel = " ".join(f"{int((px - x0) / w * 1000)},{int((py - y0) / h * 1000)}" for px, py in points)
    return (f'<draw:polygon draw:style-name="{style}" svg:x="{x0:.2f}cm" svg:y="{y0:.2f}cm" svg:width="{w:.2f}cm" '
            f'svg:height="{h:.2f}cm" svg:viewBox="0 0 1000 1000" draw:points="{rel}"/>')


def hex_colour(h, s, v):
    r, g, b = colorsys.hsv_to_rgb(h % 1.0, s, v)
    return "#%02x%02x%02x" % (int(r * 255), int(g * 255), int(b * 255))


def draw_deck():
    """MYPPT: 30 lots, each a big number on a simple picture of its own colour and shape."""
    styles = [text_style("Num", 120, "#ffffff", bold=True), text_style("Cap", 28, "#333333")]
    pages = []
    shapes = ["circle", "square", "triangle", "diamond", "hexagon", "star"]
    for n in range(1, 31):
        hue = (n * 0.137) % 1.0
        styles.append(page_style(f"bg{n}", hex_colour(hue, 0.10, 1.0)))
        styles.append(fill_style(f"sh{n}", hex_colour(hue, 0.75, 0.85), stroke=hex_colour(hue, 0.9, 0.55)))
        styles.append(fill_style(f"dot{n}", hex_colour(hue + 0.5, 0.6, 0.9)))
        shape = shapes[(n - 1) % len(shapes)]
        cx, cy, r = WIDTH / 2, 6.9, 5.2
        if shape == "circle":
            picture = f'<draw:ellipse draw:style-name="sh{n}" svg:x="{cx - r}cm" svg:y="{cy - r}cm" svg:width="{2 * r}cm" svg:height="{2 * r}cm"/>'
        elif shape == "square":
            picture = f'<draw:rect draw:style-name="sh{n}" svg:x="{cx - r * 0.85}cm" svg:y="{cy - r * 0.85}cm" svg:width="{1.7 * r}cm" svg:height="{1.7 * r}cm"/>'
        elif shape == "triangle":
            picture = polygon(f"sh{n}", cx, cy + 0.8, r * 1.15, 3)
        elif shape == "diamond":
            picture = polygon(f"sh{n}", cx, cy, r, 4)
        elif shape == "hexagon":
            picture = polygon(f"sh{n}", cx, cy, r, 6, turn=0)
        else:
            picture = star(f"sh{n}", cx, cy, r * 1.1)
        # Small dots along the bottom edge, as many as the lot's tens plus one, for a bit of variety.
        dots = "".join(
            f'<draw:ellipse draw:style-name="dot{n}" svg:x="{1.2 + i * 1.3}cm" svg:y="13.6cm" svg:width="0.9cm" svg:height="0.9cm"/>'
            for i in range(n // 10 + 1))
        number = frame(cx - 6, cy - 2.6, 12, 5.2, [("Num", str(n))])
        caption = frame(4, 12.6, 20, 1.6, [("Cap", f"第 {n} 号")])
        pages.append(f'<draw:page draw:name="{n}" draw:style-name="bg{n}" draw:master-page-name="Default">'
                     f"{picture}{number}{caption}{dots}</draw:page>")
    return document(styles, pages)


# While an instruction deck plays, the main window stands at the top centre of the screen (its
# standard place). What the teacher needs to read stays out of that area on common screens: the
# headings sit in the upper left (a long one is broken where it reads well), the points in the lower
# half, the top centre holds nothing.
def note_deck(title, subtitle, slides, hue):
    styles = [
        text_style("T", 40, "#ffffff", bold=True),
        text_style("S", 26, "#ffffff"),
        text_style("H", 28, hex_colour(hue, 0.8, 0.55), bold=True, align="start"),
        text_style("B", 20, "#222222", align="start", spacing=0.35),
        text_style("F", 14, "#777777", align="end"),
        page_style("cover", hex_colour(hue, 0.7, 0.6)),
        page_style("body", "#ffffff"),
        fill_style("band", hex_colour(hue, 0.7, 0.6)),
        fill_style("rule", hex_colour(hue, 0.35, 0.9)),
    ]
    pages = [f'<draw:page draw:name="1" draw:style-name="cover" draw:master-page-name="Default">'
             f'{frame(2, 8.2, 24, 2.6, [("T", title)])}{frame(2, 11.0, 24, 1.8, [("S", subtitle)])}</draw:page>']
    total = len(slides) + 1
    for i, (heading, lines) in enumerate(slides, start=2):
        body = [("B", "• " + line) for line in lines]
        title_lines = [("H", part) for part in heading.split("\n")]
        pages.append(f'<draw:page draw:name="{i}" draw:style-name="body" draw:master-page-name="Default">'
                     f'<draw:rect draw:style-name="band" svg:x="0cm" svg:y="0cm" svg:width="0.6cm" svg:height="{HEIGHT}cm"/>'
                     f'{frame(1.2, 0.9, 7.8, 4.2, title_lines)}'
                     f'<draw:rect draw:style-name="rule" svg:x="1.6cm" svg:y="7.2cm" svg:width="25.6cm" svg:height="0.08cm"/>'
                     f'{frame(1.4, 7.7, 25.8, 6.8, body)}'
                     f'{frame(18, 14.6, 9.4, 0.9, [("F", f"{i} / {total}")])}</draw:page>')
    return document(styles, pages)


NOTE1 = note_deck(
    "Vantrel工具 · 抽签功能说明", "说明文件一：三种随机抽签",
    [
        ("打开抽签", [
            "在主窗口点击“抽签”，出现“请选择所需功能”窗口。",
            "可以选择：随机抽取顺序号、按名单随机抽签、PPT图文随机抽签。",
            "下方两个按钮播放两份说明文件（本文件和计时功能说明）。",
            "抽签期间主窗口暂时隐藏，结束抽签后自动回来。",
        ]),
        ("随机抽取顺序号", [
            "输入抽签总人数（2 到 200），点击“确认”。",
            "号码不停滚动；每点一次“抽  签”，停在一个还没抽过的号码上。",
            "抽出的号码依次列出；全部号码抽完，本轮结束。",
            "中途点“结  束”会询问：结束抽签，还是继续抽签。",
        ]),
        ("按名单随机抽签", [
            "名单保存在程序文件夹的 name.xls 中，可直接用表格软件编辑。",
            "A1 填人数；从第 3 行起，A 列为序号，B 列为姓名。",
            "每次抽出一个没抽过的名字，抽签顺序写回 C 列并保存。",
        ]),
        ("PPT图文\n随机抽签", [
            "把要抽签的演示文稿命名为 MYPPT.ppt，放在程序文件夹中。",
            "每张幻灯片是一支签：可以是图片，也可以是文字。",
            "点“准备”，幻灯片快速滚动；点“抽签”，停在一张还没抽过的幻灯片上。",
            "右侧红色框显示“当前张数/总张数”，例如 7/25；最多前 200 张参加。",
            "全部抽完时提示“本轮抽签结束！！！”，然后重新开始新一轮。",
        ]),
        ("小提示", [
            "放映时：→、空格、PgDn 或单击到下一张，← 或 PgUp 回上一张。",
            "Home 回到第一张，End 到最后一张，Esc 结束放映。",
            "抽签工具条总在放映画面之上，可以按住空白处或计数框拖动。",
        ]),
    ],
    0.58)

NOTE2 = note_deck(
    "Vantrel工具 · 计时功能说明", "说明文件二：倒计时与提醒",
    [
        ("设置时间", [
            "选择“定时一”、“定时二”或“定时三”，各有一组预设时间。",
            "输入总时间的分、秒，以及提前提醒的分、秒。",
            "点击“开始”，主窗口显示剩余时间 MM : SS。",
        ]),
        ("计时中", [
            "“暂停”让计时停下，“继续”接着计时，“停止”结束本次计时。",
            "到提醒时间，窗口回到屏幕中间闪烁，显示还剩多少时间并发出提示音。",
            "时间到时显示“ 时间到！”，窗口左右晃动，并发出提示音。",
        ]),
        ("放映幻灯片时", [
            "放映时点击“缩小”，主窗口变成半透明的小工具条，浮在放映画面上。",
            "工具条上显示设定时间和剩余时间，不挡住幻灯片内容。",
            "F9 显示或隐藏工具条，F11 让主窗口回到屏幕上。",
        ]),
        ("大字显示", [
            "双击主窗口的时间数字，打开全屏的大字倒计时。",
            "教室后排也能看清剩余时间；时间到时自动关闭。",
        ]),
        ("托盘与退出", [
            "窗口隐藏时，可以点击托盘里的铃铛图标让它回来。",
            "点击“退出”并确认后，程序关闭，正在播放的说明文件也一起关闭。",
        ]),
    ],
    0.08)


def main():
    for name, content in (("MYPPT.fodp", draw_deck()), ("Note1.fodp", NOTE1), ("Note2.fodp", NOTE2)):
        with open(os.path.join(HERE, name), "w", encoding="utf-8") as out:
            out.write(content)


if __name__ == "__main__":
    main()
