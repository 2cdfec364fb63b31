#!/usr/bin/env python3
"""Writes mixed_texts.json: 500 texts of the kinds people put in QR codes, 100 of each kind
(web addresses, serials, Chinese, Wi-Fi, vCards), the same every time (a fixed seed).

    /usr/bin/python3 make_corpus.py > mixed_texts.json
"""
import json
import random
import string

rng = random.Random(19)


def digits(n):
    return "".join(rng.choice(string.digits) for _ in range(n))


def word(n, letters=string.ascii_lowercase):
    return "".join(rng.choice(letters) for _ in range(n))


HOSTS = ["example.com", "shop.example.cn", "www.example.org", "t.example.io", "m.example.com.cn"]
HANZI = ("产品编号名称规格型号生产日期批次保质期价格地址电话联系人公司有限责任北京上海广州深圳"
         "杭州成都重庆武汉南京天津西安苏州会议室办公楼仓库门店客服热线扫码关注领取优惠券积分")
SURNAMES = "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗"
GIVEN = "伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华"


def web_address():
    host = rng.choice(HOSTS)
    kind = rng.randrange(5)
    if kind == 0:  # a long run of digits, as in order and tracking links
        return f"https://{host}/order/{digits(rng.randrange(12, 40))}"
    if kind == 1:
        return f"https://{host}/p/{word(rng.randrange(4, 12))}?id={digits(rng.randrange(6, 20))}&ref={word(6)}"
    if kind == 2:  # written in capitals, which the alphanumeric mode holds
        return f"HTTPS://{host.upper()}/{word(rng.randrange(3, 10), string.ascii_uppercase)}/{digits(rng.randrange(4, 24))}"
    if kind == 3:
        return f"http://{host}/{word(rng.randrange(3, 8))}/{word(rng.randrange(3, 8))}/{digits(8)}.html"
    return f"https://{host}/s/{word(rng.randrange(6, 16), string.ascii_letters + string.digits)}"


def serial():
    kind = rng.randrange(5)
    if kind == 0:
        return f"SN:{word(2, string.ascii_uppercase)}{digits(2)}-{digits(4)}-{digits(rng.randrange(6, 16))}"
    if kind == 1:
        return f"LOT {digits(8)} BATCH {digits(4)}"
    if kind == 2:  # GS1 element strings as text
        return f"(01){digits(14)}(17){digits(6)}(10){word(rng.randrange(3, 10), string.ascii_uppercase + string.digits)}"
    if kind == 3:
        return f"{word(3, string.ascii_uppercase)}-{digits(rng.randrange(10, 30))}"
    return f"Asset {digits(6)} / room {word(1, string.ascii_uppercase)}{digits(3)} / {word(rng.randrange(4, 10))}"


def chinese():
    def phrase(n):
        return "".join(rng.choice(HANZI) for _ in range(n))
    kind = rng.randrange(4)
    if kind == 0:
        return f"产品编号：{digits(rng.randrange(8, 20))} 名称：{phrase(rng.randrange(2, 6))}"
    if kind == 1:
        return f"{phrase(rng.randrange(4, 12))}，电话：{digits(11)}"
    if kind == 2:
        return f"{phrase(rng.randrange(6, 30))}"
    return f"批次 {digits(8)}-{word(2, string.ascii_uppercase)}{digits(4)} {phrase(rng.randrange(2, 8))} https://{rng.choice(HOSTS)}/{digits(10)}"


def wifi():
    ssid = rng.choice(["Office", "Home", "Guest", "Cafe", "会议室", "Lab"]) + rng.choice(["", "-5G", "_2.4G", "-" + digits(3)])
    password = word(rng.randrange(8, 20), string.ascii_letters + string.digits)
    security = rng.choice(["WPA", "WPA", "WEP", "nopass"])
    if security == "nopass":
        return f"WIFI:T:nopass;S:{ssid};;"
    hidden = "H:true;" if rng.randrange(4) == 0 else ""
    return f"WIFI:T:{security};S:{ssid};P:{password};{hidden};"


def vcard():
    name = rng.choice(SURNAMES) + "".join(rng.choice(GIVEN) for _ in range(rng.randrange(1, 3)))
    lines = ["BEGIN:VCARD", "VERSION:3.0", f"FN:{name}", f"TEL;TYPE=CELL:+86{digits(11)}"]
    if rng.randrange(2):
        lines.append(f"TEL;TYPE=WORK:0{digits(2)}-{digits(8)}")
    lines.append(f"EMAIL:{word(rng.randrange(4, 10))}@{rng.choice(HOSTS)}")
    if rng.randrange(2):
        lines.append(f"ORG:{''.join(rng.choice(HANZI) for _ in range(rng.randrange(4, 10)))}")
    if rng.randrange(2):
        lines.append(f"URL:https://{rng.choice(HOSTS)}/{word(6)}")
    lines.append("END:VCARD")
    return "\r\n".join(lines)


texts = []
for make in (web_address, serial, chinese, wifi, vcard):
    texts += [{"kind": make.__name__, "text": make()} for _ in range(100)]
print(json.dumps(texts, ensure_ascii=False, indent=0))
