#!/usr/bin/env python3
# Writes the seed corpora of the fuzz targets: small files made by hand, one trait each.
import os, struct, zlib
root = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
def put(target, name, data):
    d = os.path.join(root, target); os.makedirs(d, exist_ok=True)
    if isinstance(data, str): data = data.encode('latin-1')
    open(os.path.join(d, name), 'wb').write(data)

def pdf(objs):
    """objs: list of bodies (str/bytes) numbered from 1; obj 1 must be the catalog."""
    out = b'%PDF-1.7\n%\xe2\xe3\xcf\xd3\n'
    offs = []
    for i, body in enumerate(objs, 1):
        if isinstance(body, str): body = body.encode('latin-1')
        offs.append(len(out))
        out += b'%d 0 obj\n' % i + body + b'\nendobj\n'
    x = len(out)
    out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objs)+1)
    for o in offs: out += b'%010d 00000 n \n' % o
    out += b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objs)+1, x)
    return out

def stream(dict_, data):
    if isinstance(data, str): data = data.encode('latin-1')
    return b'<< ' + dict_.encode() + b' /Length %d >>\nstream\n' % len(data) + data + b'\nendstream'

def page_pdf(resources, content, extra=()):
    objs = ['<< /Type /Catalog /Pages 2 0 R >>',
            '<< /Type /Pages /Kids [3 0 R] /Count 1 >>',
            '<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources %s /Contents 4 0 R >>' % resources,
            stream('', content)] + list(extra)
    return pdf(objs)

# content streams
C = 'FuzzContentParser'
put(C, 'text', 'BT /F1 12 Tf 72 720 Td (Hello \\(world\\) \\101\\n) Tj [(A) -120 (V) 30.5 (a)] TJ T* <48656c6c6f> Tj ET')
put(C, 'graphics', 'q 1 0 0 1 10 20 cm 0.5 g 1 0 0 RG 2 w [3 1] 0 d 10 10 m 100 10 l 100 100 c S 0 0 50 50 re f* Q /GS1 gs /P0 scn /CS0 cs 0.1 0.2 0.3 sc')
put(C, 'inline-image', 'q 10 0 0 10 0 0 cm BI /W 2 /H 2 /BPC 8 /CS /G ID \x00\xffEI\x10 EI Q BI /Width 1 /Height 1 /ImageMask true /F /AHx ID ff> EI')
put(C, 'inline-image-huge', 'BI /W 4611686018427387904 /H 1 /BPC 8 /CS /CMYK ID \x01\x02\x03 EI 0 0 m')
put(C, 'dictionaries', '/OC << /Type /OCMD /OCGs [1 0 R] /P /AnyOn /D << /N [1 2 <</X (y)>>] >> >> BDC /Span <</ActualText <FEFF0041>>> BDC EMC EMC true false null 1 2 d0 %comment\n/Na#6De#20x Do')
put(C, 'nested-arrays', '[' * 40 + '1 2 (s)' + ']' * 40 + ' TJ ' + '[[[[[]]]]] ' * 20 + 'Tj')
put(C, 'numbers', '1 -2 +3 .5 -.25 4. 123456789012345678901234567890 0.0000000000000000000000001 1.2.3 -- + Tz')
put(C, 'unbalanced', 'q ' * 200 + 'Q ' * 10 + ') } { >> ] ( unclosed \\')
put(C, 'type3', '500 0 d0 0 0 m 500 0 l 500 700 l h f 1000 0 0 0 1000 700 d1')

# fonts
F = 'FuzzFontMetrics'
def font_pdf(font, extra=()):
    return page_pdf('<< /Font << /F1 5 0 R >> >>', 'BT /F1 12 Tf (A) Tj ET', [font] + list(extra))
put(F, 'type0-ranges', font_pdf('<< /Type /Font /Subtype /Type0 /BaseFont /ABC /Encoding /Identity-H /DescendantFonts [6 0 R] >>',
    ['<< /Type /Font /Subtype /CIDFontType2 /DW 1000 /W [1 [500 600 700] 10 20 250 30 [100] 65530 65540 300] >>']))
put(F, 'type0-hostile', font_pdf('<< /Type /Font /Subtype /Type0 /DescendantFonts [<< /W [2147413647 2147483647 500 -5 [1 2] 3 -1 7] >>] >>'))
put(F, 'truetype', font_pdf('<< /Type /Font /Subtype /TrueType /BaseFont /Courier-Bold /FirstChar 32 /LastChar 40 /Widths [250 333 408 500 500 833 778 180 333] /FontDescriptor << /MissingWidth 300 >> >>'))
put(F, 'widths-past-end', font_pdf('<< /Type /Font /Subtype /Type1 /FirstChar 250 /Widths [1 2 3 4 5 6 7 8 9 10] >>'))
put(F, 'type3', font_pdf('<< /Type /Font /Subtype /Type3 /FontMatrix [0.001 0 0 0.001 0 0] /FirstChar 65 /Widths [500 6 0 R] /CharProcs << >> >>', ['700']))
put(F, 'indirect-w', font_pdf('<< /Type /Font /Subtype /Type0 /DescendantFonts 6 0 R >>', ['[7 0 R]', '<< /DW 7 0 R /W [8 0 R 8 0 R 9] >>', '65535', '1e9']))

# colour spaces
S = 'FuzzColourSpace'
sep_fn = '<< /FunctionType 2 /Domain [0 1] /C0 [0 0 0 0] /C1 [0 0.5 1 0] /N 1 >>'
put(S, 'indexed', page_pdf('<< /ColorSpace << /CS0 [/Indexed /DeviceRGB 3 <ff000000ff000000ff808080>] /CS1 [/Indexed /DeviceCMYK 255 6 0 R] >> >>', '/CS0 cs 2 sc',
    [stream('', bytes(range(256)) * 4)]))
put(S, 'separation', page_pdf('<< /ColorSpace << /CS0 [/Separation /Spot /DeviceCMYK %s] /CS1 [/Separation /None /DeviceGray %s] /CS2 [/Separation /All /DeviceRGB %s] >> >>' % (sep_fn, sep_fn, sep_fn), '/CS0 cs 1 sc'))
put(S, 'devicen', page_pdf('<< /ColorSpace << /CS0 [/DeviceN [/Cyan /Magenta /Spot] /DeviceCMYK 6 0 R] /CS1 [/DeviceN [/Cyan /Black] /DeviceCMYK 6 0 R << /Subtype /NChannel >>] >> >>', '/CS0 cs 0.1 0.2 0.3 sc',
    [stream('/FunctionType 0 /Domain [0 1 0 1 0 1] /Range [0 1 0 1 0 1 0 1] /Size [2 2 2] /BitsPerSample 8', bytes(range(32)))]))
put(S, 'stitching', page_pdf('<< /ColorSpace << /CS0 [/Separation /S /DeviceRGB << /FunctionType 3 /Domain [0 1] /Bounds [0.5] /Encode [0 1 1 0] /Functions [%s 6 0 R] >>] >> >>' % sep_fn, '',
    [stream('/FunctionType 0 /Domain [0 1] /Range [0 1 0 1 0 1] /Size [4] /BitsPerSample 4 /Encode [0 3] /Decode [0 1 0 1 0 1]', b'\x12\x34\x56\x78\x9a\xbc')]))
put(S, 'lab-iccbased', page_pdf('<< /ColorSpace << /CS0 [/Lab << /WhitePoint [0.9505 1 1.089] /Range [-128 127 -128 127] >>] /CS1 [/ICCBased 6 0 R] /CS2 /CS0 /CS3 [/CalRGB << /WhitePoint [1 1 1] >>] >> >>', '',
    [stream('/N 3 /Alternate /DeviceRGB', b'\x00' * 16)]))
put(S, 'pattern', page_pdf('<< /ColorSpace << /CS0 [/Pattern /DeviceRGB] /CS1 /Pattern >> /Pattern << /P0 << /PatternType 2 /Shading << /ShadingType 2 /ColorSpace /DeviceCMYK /Coords [0 0 1 1] /Domain [0 1] /Function [%s %s] >> >> /P1 6 0 R >> >>' % (sep_fn, sep_fn), '/CS0 cs 1 0 0 /P0 scn',
    [stream('/PatternType 1 /PaintType 2 /TilingType 1 /BBox [0 0 1 1] /XStep 1 /YStep 1', '0 0 1 1 re f')]))
put(S, 'self-naming', page_pdf('<< /ColorSpace << /CS0 /CS1 /CS1 /CS0 /CS2 [/Indexed /CS2 1 <00>] /CS3 [/Separation /X 6 0 R 7 0 R] >> >>', '',
    ['[/Separation /Y 6 0 R 7 0 R]', '<< /FunctionType 3 /Domain [0 1] /Bounds [] /Encode [0 1] /Functions [7 0 R] >>']))

# images
I = 'FuzzImageMetadata'
def chunk(t, d): return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 2, 2, 8, 2, 0, 0, 0)) + chunk(b'pHYs', struct.pack('>IIB', 11811, 11811, 1)) + chunk(b'IDAT', zlib.compress(b'\x00' * 14)) + chunk(b'IEND', b'')
put(I, 'png-phys', png)
bmp_info = struct.pack('<IiiHHIIiiII', 40, 2, 2, 1, 24, 0, 16, 3780, 3780, 0, 0)
put(I, 'bmp', b'BM' + struct.pack('<IHHI', 14 + 40 + 16, 0, 0, 54) + bmp_info + b'\x00' * 16)
def tiff(order):
    p = '<' if order == b'II' else '>'
    entries = [(256, 3, 1, 2), (257, 3, 1, 2), (282, 5, 1, 100), (283, 5, 1, 108), (296, 3, 1, 2)]
    ifd = struct.pack(p + 'H', len(entries))
    for tag, typ, cnt, val in entries:
        ifd += struct.pack(p + 'HHII', tag, typ, cnt, val) if typ == 5 else struct.pack(p + 'HHIHH', tag, typ, cnt, val, 0)
    ifd += struct.pack(p + 'I', 0)
    data = order + struct.pack(p + 'HI', 42, 8) + ifd
    data += b'\x00' * (100 - len(data)) + struct.pack(p + 'II', 300, 1) + struct.pack(p + 'II', 600, 2)
    return data
put(I, 'tiff-le', tiff(b'II'))
put(I, 'tiff-be', tiff(b'MM'))
app0 = b'JFIF\x00\x01\x02\x01\x00\x48\x00\x48\x00\x00'
exif = b'Exif\x00\x00' + b'MM\x00\x2a\x00\x00\x00\x08' + struct.pack('>H', 1) + struct.pack('>HHIHH', 0x112, 3, 1, 6, 0) + struct.pack('>I', 0)
adobe = b'Adobe\x00\x64\x00\x00\x00\x00\x02'
def seg(m, d): return b'\xff' + bytes([m]) + struct.pack('>H', len(d) + 2) + d
sof = struct.pack('>BHHB', 8, 16, 32, 3) + b'\x01\x22\x00\x02\x11\x01\x03\x11\x01'
put(I, 'jpeg', b'\xff\xd8' + seg(0xe0, app0) + seg(0xe1, exif) + seg(0xc0, sof) + b'\xff\xd9')
put(I, 'jpeg-cmyk-progressive', b'\xff\xd8' + seg(0xee, adobe) + seg(0xc2, struct.pack('>BHHB', 8, 4, 4, 4) + b'\x01\x11\x00\x02\x11\x00\x03\x11\x00\x04\x11\x00') + b'\xff\xd9')

# rtf
R = 'FuzzRtfReader'
put(R, 'fonts-colours', r'{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\froman\fcharset0 Times New Roman;}{\f1\fswiss\fcharset204 Arial;}{\f2\fcharset128 MS Gothic;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\f0\fs24 Plain \b bold\b0 \i italic\i0 \ul under\ulnone \cf1 red \cf2\highlight1 blue\par\f1 \'c0\'c1\'c2\par\f2 \'82\'a0\par\qc\li720\ri360\fi-360 centred\par\page next page\par}')
put(R, 'unicode', r'{\rtf1\ansi\uc1 caf\u233?s \u-4064? \uc2\u20320??\u22909?? {\*\ud{\u9731?}} \line x\tab y\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote}')
put(R, 'picture', r'{\rtf1{\pict\pngblip\picw2\pich2\picwgoal1440\pichgoal1440\picscalex150\picscaley50 ' + png.hex() + r'}\par{\pict\jpegblip\picwgoal99999999\picscalex99999 ffd8ffd9}{\*\shppict{\pict\wmetafile8 0100}}}')
put(R, 'tables', r'{\rtf1\trowd\cellx1000\cellx2000\intbl a\cell b\cell\row\trowd\cellx3000\intbl{\b c}\cell\row\pard after\par}')
put(R, 'skipped', r'{\rtf1{\header head}{\footer foot}{\footnote note}{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}{\*\unknown dropped}\bin4 ' + '\x00\x01\x02\x03' + r' text\par}')
put(R, 'deep', r'{\rtf1' + '{' * 300 + 'deep' + '}' * 290 + r'\fs99999999\li-2147483648\fi2147483647 \sa999999999 x\par')

# page ranges: two bytes of page count (plus one), then the text
P = 'FuzzPageRanges'
def pr(count, text): return struct.pack('<H', count + 1) + text.encode('utf-8')
put(P, 'simple', pr(10, '1,3,4-7'))
put(P, 'dashes-blanks', pr(100, ' 2 \u2013 5 ,\t9\u22129, 8\u20148 ,,'))
put(P, 'beyond', pr(5, '4-99999999999, 6'))
put(P, 'backwards', pr(50, '9-3'))
put(P, 'words', pr(3, 'one, 2-'))
put(P, 'none', pr(0, '1'))

# passwords
W = 'FuzzPassword'
put(W, 'empty', b'')
put(W, 'utf8', 'p\u00e4ss'.encode('utf-8'))
put(W, 'latin1', 'p\u00e4ss'.encode('latin-1'))
put(W, 'owner', b'o')
put(W, 'long', ('\u00e9\u00fc' * 40).encode('utf-8'))
