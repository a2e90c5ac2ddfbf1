<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AppMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>ユーザーガイド(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Feedback and Support</source>
        <translation>フィードバックとサポート(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Add Files...</source>
        <translation>ファイルを追加(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>すべてクリア(&amp;C)</translation>
    </message>
    <message>
        <source>Clear &amp;Finished Items</source>
        <translation>完了した項目をクリア(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Check for Updates</source>
        <translation>アップデートを確認(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Show &amp;Log Folder</source>
        <translation>ログフォルダーを表示(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
</context>
<context>
    <name>ComponentCheck</name>
    <message>
        <source>The installed OCR module is damaged. Please try again.</source>
        <translation>インストールされた OCR モジュールが破損しています。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Installation Failed</source>
        <translation>インストールに失敗しました</translation>
    </message>
</context>
<context>
    <name>ConvertOptionSetting</name>
    <message>
        <source>OCR Settings</source>
        <translation>OCR設定</translation>
    </message>
    <message>
        <source>DOCX Settings</source>
        <translation>DOCX設定</translation>
    </message>
    <message>
        <source>XLSX Settings</source>
        <translation>XLSX設定</translation>
    </message>
    <message>
        <source>PPTX Settings</source>
        <translation>PPTX設定</translation>
    </message>
    <message>
        <source>TXT Settings</source>
        <translation>TXT設定</translation>
    </message>
    <message>
        <source>RTF Settings</source>
        <translation>RTF設定</translation>
    </message>
    <message>
        <source>HTML Settings</source>
        <translation>HTML設定</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>CSV設定</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>画像設定</translation>
    </message>
    <message>
        <source>Pages Settings</source>
        <translation>Pages設定</translation>
    </message>
    <message>
        <source>Keynote Settings</source>
        <translation>Keynote設定</translation>
    </message>
    <message>
        <source>Numbers Settings</source>
        <translation>Numbers設定</translation>
    </message>
    <message>
        <source>Select cover</source>
        <translation>表紙を選択</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>色を選択</translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>Type a name for the PDF.</source>
        <translation>PDFの名前を入力してください。</translation>
    </message>
    <message>
        <source>The name cannot hold &quot;/&quot;: the PDF is made in the output folder.</source>
        <translation>名前に「/」は使えません。PDFは出力フォルダーに作成されます。</translation>
    </message>
    <message>
        <source>The name cannot be only dots and blanks.</source>
        <translation>名前をピリオドと空白だけにすることはできません。</translation>
    </message>
</context>
<context>
    <name>DesktopOpener</name>
    <message>
        <source>No application could be started to open this location. You can find it here:
%1</source>
        <translation>この場所を開くアプリケーションを起動できませんでした。場所は次のとおりです:
%1</translation>
    </message>
    <message>
        <source>No web browser could be started for this address. Copy it into a browser to open it:
%1</source>
        <translation>このアドレスを開くWebブラウザーを起動できませんでした。ブラウザーにコピーして開いてください:
%1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>注意</translation>
    </message>
</context>
<context>
    <name>DocquillMainWidget</name>
    <message>
        <source>MainWindow</source>
        <translation>メインウィンドウ</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>PDF変換</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>PDF作成</translation>
    </message>
    <message>
        <source>Drag PDF, Image files here</source>
        <translation>PDFや画像ファイルをここにドラッグしてください</translation>
    </message>
    <message>
        <source>Drag Word, PowerPoint, image etc. files here</source>
        <translation>Word、PowerPoint、画像などのファイルをここにドラッグしてください</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>OCRモジュールをダウンロード中...</translation>
    </message>
    <message>
        <source>The downloaded OCR module is damaged and was not installed. Please try again.</source>
        <translation>ダウンロードしたOCRモジュールが破損しているため、インストールしませんでした。もう一度お試しください。</translation>
    </message>
    <message>
        <source>The OCR module could not be downloaded: %1</source>
        <translation>OCR モジュールをダウンロードできませんでした: %1</translation>
    </message>
</context>
<context>
    <name>Downloading</name>
    <message>
        <source>Download</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>OCRモジュールをダウンロード中...</translation>
    </message>
</context>
<context>
    <name>EnterPassword</name>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Print password</source>
        <translation>パスワードを入力</translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation>パスワードが違います</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>すべてに適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open password</source>
        <translation>文書を開くパスワード</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>ファイルを開けません。</translation>
    </message>
</context>
<context>
    <name>FileItemWidget</name>
    <message>
        <source>All Pages</source>
        <translation>全ページ</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>範囲指定</translation>
    </message>
    <message>
        <source>e.g.(1,3,4-7)</source>
        <translation>例：1,3,4-7</translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation>%1ページ</translation>
    </message>
    <message>
        <source>%1 Page</source>
        <translation>%1ページ</translation>
    </message>
    <message>
        <source>Skipped: the file is locked. Click its icon and enter its password to convert it.</source>
        <translation>スキップしました：ファイルがロックされています。変換するには、アイコンをクリックしてパスワードを入力してください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page or a range of pages such as 4-7.</source>
        <translation>「%1」はページでも、4-7 のようなページ範囲でもありません。</translation>
    </message>
    <message>
        <source>There is no page %1 in this document.</source>
        <translation>この文書に %1 ページはありません。</translation>
    </message>
    <message>
        <source>The range %1 ends before it starts.</source>
        <translation>範囲 %1 は終わりが始まりより前です。</translation>
    </message>
    <message>
        <source>Type the pages to convert, for example 1,3,4-7.</source>
        <translation>変換するページを入力してください（例：1,3,4-7）。</translation>
    </message>
</context>
<context>
    <name>FileListWindow</name>
    <message>
        <source>Merge</source>
        <translation>結合</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>出力先</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Encrypt</source>
        <translation>暗号化</translation>
    </message>
    <message>
        <source>Decrypt</source>
        <translation>復号</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>作成</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>圧縮</translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>出力先フォルダーを選択</translation>
    </message>
    <message>
        <source>Select Files</source>
        <translation>ファイルを選択</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a password protected PDF file.</source>
        <translation>「%1」はパスワードで保護されたPDFファイルではありません。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>「%1」：%2</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>ファイルではなくフォルダーです</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>ファイルが空です</translation>
    </message>
    <message>
        <source>the file is damaged</source>
        <translation>ファイルが破損しています</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>ファイルが存在しません</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>ファイルを読み込めませんでした</translation>
    </message>
    <message>
        <source>this page does not take this kind of file</source>
        <translation>このページではこの種類のファイルを扱えません</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>次のファイルは追加されませんでした：</translation>
    </message>
    <message>
        <source>Nothing was started. Correct these files first:</source>
        <translation>何も開始されませんでした。先に次のファイルを修正してください：</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>ほか %1 件。</translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>Error network, please check your connection!</source>
        <translation>ネットワークエラーです。接続を確認してください。</translation>
    </message>
    <message>
        <source>The program gets crashed.</source>
        <translation>プログラムがクラッシュしました。</translation>
    </message>
    <message>
        <source>Please send the crash report to the developer. (%1)</source>
        <translation>クラッシュレポートを開発元に送信してください。（%1）</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>is currently the newest version available.</source>
        <translation>は最新バージョンです。</translation>
    </message>
    <message>
        <source>Requests are too frequent, please try again later.</source>
        <translation>リクエストが多すぎます。しばらくしてからもう一度お試しください。</translation>
    </message>
    <message>
        <source>The advanced OCR (Optical Character Recognition) module can recognize text from scanned PDF or image file, convert them to copyable and searchable PDF file.
Downloading this OCR module now?</source>
        <translation>高度なOCR（光学文字認識）モジュールを使うと、スキャンしたPDFや画像ファイルの文字を認識し、テキストのコピーや検索ができるPDFファイルに変換できます。
OCRモジュールを今すぐダウンロードしますか？</translation>
    </message>
    <message>
        <source>The folder path is read-only. Pleas correct or try again.</source>
        <translation>フォルダーは読み取り専用です。パスを修正するか、もう一度お試しください。</translation>
    </message>
    <message>
        <source>The selected languages are not supported</source>
        <translation>選択した言語はサポートされていません</translation>
    </message>
    <message>
        <source>Unable to save the file</source>
        <translation>ファイルを保存できません</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>The input file does not exist or has been moved</source>
        <translation>入力ファイルが存在しないか、移動されています</translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>パスワードが必要か、パスワードが正しくありません。</translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation>メモリが不足しています。</translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation>変換中に不明なエラーが発生しました。</translation>
    </message>
    <message>
        <source>Unknown error in processing PDF.</source>
        <translation>PDFの処理中に不明なエラーが発生しました。</translation>
    </message>
    <message>
        <source>File not found or could not be opened.</source>
        <translation>ファイルが見つからないか、開けませんでした。</translation>
    </message>
    <message>
        <source>File not in PDF format or corrupted.</source>
        <translation>ファイルがPDF形式ではないか、破損しています。</translation>
    </message>
    <message>
        <source>Unsupported security scheme.</source>
        <translation>サポートされていないセキュリティ方式です。</translation>
    </message>
    <message>
        <source>Page not found or content error.</source>
        <translation>ページが見つからないか、内容にエラーがあります。</translation>
    </message>
    <message>
        <source>Conversion task canceled.</source>
        <translation>変換がキャンセルされました。</translation>
    </message>
    <message>
        <source>Folder compression failed.</source>
        <translation>フォルダーの圧縮に失敗しました。</translation>
    </message>
    <message>
        <source>No tables found in the source file.</source>
        <translation>元のファイルに表が見つかりません。</translation>
    </message>
    <message>
        <source>Failed to call OCR regnition.</source>
        <translation>OCR（文字認識）を実行できませんでした。</translation>
    </message>
    <message>
        <source>Currently executing conversion task.</source>
        <translation>変換処理を実行中です。</translation>
    </message>
    <message>
        <source>Failure.</source>
        <translation>失敗しました。</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>不明なエラーです。</translation>
    </message>
    <message>
        <source>File protected by password.</source>
        <translation>ファイルはパスワードで保護されています。</translation>
    </message>
    <message>
        <source>Invalid arguments.</source>
        <translation>引数が無効です。</translation>
    </message>
    <message>
        <source>Unable to open the source file.</source>
        <translation>元のファイルを開けません。</translation>
    </message>
    <message>
        <source>Unsupported file format.</source>
        <translation>サポートされていないファイル形式です。</translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation>元のファイルが見つかりません。</translation>
    </message>
    <message>
        <source>Output directory not found.</source>
        <translation>出力先フォルダーが見つかりません。</translation>
    </message>
    <message>
        <source>The requested worksheet was not found.</source>
        <translation>指定されたワークシートが見つかりません。</translation>
    </message>
    <message>
        <source>Unable to use an empty worksheet.</source>
        <translation>空のワークシートは使用できません。</translation>
    </message>
    <message>
        <source>Unable to modify or open a protected PDF.</source>
        <translation>保護されたPDFを開いたり変更したりできません。</translation>
    </message>
    <message>
        <source>Raised when there is a problem calling an Office application.</source>
        <translation>Officeアプリケーションの呼び出し中に問題が発生しました。</translation>
    </message>
    <message>
        <source>There are no printers installed, so Office conversion can not proceed.</source>
        <translation>プリンターがインストールされていないため、Officeの変換を続行できません。</translation>
    </message>
    <message>
        <source>The output folder does not exist or cannot be written to.</source>
        <translation>出力先フォルダーが存在しないか、書き込みできません。</translation>
    </message>
    <message>
        <source>Converting to %1 needs Apple&apos;s %1 application, which does not run on Linux. Choose &quot;%2&quot; instead: it makes a document in %3 format, which %1 opens too.</source>
        <translation>%1への変換にはAppleの%1アプリが必要ですが、このアプリはLinuxでは動作しません。代わりに「%2」を選んでください。%1でも開ける%3形式の文書が作成されます。</translation>
    </message>
    <message>
        <source>The picture cannot be read: the file is damaged or is not a picture.</source>
        <translation>画像を読み取れません。ファイルが破損しているか、画像ではありません。</translation>
    </message>
    <message>
        <source>The output name is not a file name: it is empty or holds a &quot;/&quot;.</source>
        <translation>出力名がファイル名になっていません。空か、「/」を含んでいます。</translation>
    </message>
    <message>
        <source>The file needs more memory than %1 and was stopped.</source>
        <translation>ファイルに%1を超えるメモリが必要なため、処理を中止しました。</translation>
    </message>
    <message>
        <source>The file took too long to read and was stopped.</source>
        <translation>ファイルの読み込みに時間がかかりすぎたため、処理を中止しました。</translation>
    </message>
    <message>
        <source>The text of a scanned page could not be recognised with confidence in any of the available languages.</source>
        <translation>スキャンしたページの文字を、利用できるどの言語でも確実に認識できませんでした。</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>ディスクがいっぱいです。</translation>
    </message>
    <message>
        <source>The document cannot be read: the file is damaged or is not a document of its type.</source>
        <translation>文書を読み取れません。ファイルが破損しているか、この種類の文書ではありません。</translation>
    </message>
    <message>
        <source>The pages hold no text, only pictures such as scans. Turn on &quot;Recognize text&quot; in the options to read the text in them.</source>
        <translation>ページには文字がなく、スキャンなどの画像だけです。文字を読み取るには、オプションで「テキストを認識」をオンにしてください。</translation>
    </message>
</context>
<context>
    <name>InstallModule</name>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>フォルダー %1 に書き込めません。</translation>
    </message>
    <message>
        <source>The unzip tool could not be started.</source>
        <translation>unzip ツールを起動できませんでした。</translation>
    </message>
    <message>
        <source>Unpacking the package took too long.</source>
        <translation>パッケージの展開に時間がかかりすぎました。</translation>
    </message>
    <message>
        <source>The package is damaged and could not be unpacked.</source>
        <translation>パッケージが破損しているため展開できませんでした。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>1 file is still being converted. Stop and quit?</source>
        <translation>1 個のファイルを変換中です。中止して終了しますか？</translation>
    </message>
    <message>
        <source>%1 files are still being converted. Stop and quit?</source>
        <translation>%1 個のファイルを変換中です。中止して終了しますか？</translation>
    </message>
</context>
<context>
    <name>MergeWidget</name>
    <message>
        <source>Creating PDF File...</source>
        <translation>PDFファイルを作成中...</translation>
    </message>
    <message>
        <source>PDF Creation Completed</source>
        <translation>PDFの作成が完了しました</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The merge is failed</source>
        <translation>結合に失敗しました</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>フォルダーに表示</translation>
    </message>
    <message>
        <source>%1 of %2 files are in the merged PDF.</source>
        <translation>結合した PDF には %2 個中 %1 個のファイルが含まれています。</translation>
    </message>
</context>
<context>
    <name>ModuleDownload</name>
    <message>
        <source>The server answered with status %1.</source>
        <translation>サーバーがステータス %1 を返しました。</translation>
    </message>
    <message>
        <source>The server sent the package encoded (%1).</source>
        <translation>サーバーがパッケージをエンコードして送信しました (%1)。</translation>
    </message>
    <message>
        <source>Only %1 of %2 bytes arrived.</source>
        <translation>%2 バイト中 %1 バイトしか届きませんでした。</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>OptionSetting</name>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>レイアウト設定</translation>
    </message>
    <message>
        <source>Retain Flowing Text</source>
        <translation>テキストの流れを保持</translation>
    </message>
    <message>
        <source>Retain Page Layout</source>
        <translation>ページレイアウトを保持</translation>
    </message>
    <message>
        <source>Excel WorkSheet Settings</source>
        <translation>Excelワークシート設定</translation>
    </message>
    <message>
        <source>All Content</source>
        <translation>すべてのコンテンツ</translation>
    </message>
    <message>
        <source>Only Table</source>
        <translation>表のみ</translation>
    </message>
    <message>
        <source>Create Sheet for each Table</source>
        <translation>表ごとにシートを作成</translation>
    </message>
    <message>
        <source>Create Sheet for each Page</source>
        <translation>ページごとにシートを作成</translation>
    </message>
    <message>
        <source>PDF/A Standards:</source>
        <translation>PDF/A規格：</translation>
    </message>
    <message>
        <source>PDF/A-1a</source>
        <translation>PDF/A-1a</translation>
    </message>
    <message>
        <source>PDF/A-1b</source>
        <translation>PDF/A-1b</translation>
    </message>
    <message>
        <source>PDF/A-2a</source>
        <translation>PDF/A-2a</translation>
    </message>
    <message>
        <source>PDF/A-2b</source>
        <translation>PDF/A-2b</translation>
    </message>
    <message>
        <source>PDF/A-2u</source>
        <translation>PDF/A-2u</translation>
    </message>
    <message>
        <source>PDF/A-3a</source>
        <translation>PDF/A-3a</translation>
    </message>
    <message>
        <source>PDF/A-3b</source>
        <translation>PDF/A-3b</translation>
    </message>
    <message>
        <source>PDF/A-3u</source>
        <translation>PDF/A-3u</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>画像設定</translation>
    </message>
    <message>
        <source>Each page of the PDF as separate images</source>
        <translation>PDFの各ページを個別の画像にする</translation>
    </message>
    <message>
        <source>Image scaling</source>
        <translation>画像の倍率</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>25%</source>
        <translation>25%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>200%</source>
        <translation>200%</translation>
    </message>
    <message>
        <source>400%</source>
        <translation>400%</translation>
    </message>
    <message>
        <source>Adjoin all pages into one single image</source>
        <translation>全ページを1枚の画像に結合する</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>境界線の幅</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>境界線の色</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>ズーム</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>CSV設定</translation>
    </message>
    <message>
        <source>Create a single sheet for file</source>
        <translation>ファイルごとに1つのシートを作成</translation>
    </message>
    <message>
        <source>Create sheet for each table</source>
        <translation>表ごとにシートを作成</translation>
    </message>
    <message>
        <source>Book Cover</source>
        <translation>表紙</translation>
    </message>
    <message>
        <source>No book cover</source>
        <translation>表紙なし</translation>
    </message>
    <message>
        <source>Add a book cover</source>
        <translation>表紙を追加</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Display Settings</source>
        <translation>表示設定</translation>
    </message>
    <message>
        <source>Page Options:</source>
        <translation>ページオプション：</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>単一ページ</translation>
    </message>
    <message>
        <source>Single Page with Outlines</source>
        <translation>単一ページ（しおり付き）</translation>
    </message>
    <message>
        <source>Multiple Pages</source>
        <translation>複数ページ</translation>
    </message>
    <message>
        <source>Multiple Pages with Outlines</source>
        <translation>複数ページ（しおり付き）</translation>
    </message>
    <message>
        <source>OCR Settings</source>
        <translation>OCR設定</translation>
    </message>
    <message>
        <source>Recognize text</source>
        <translation>テキストを認識</translation>
    </message>
    <message>
        <source>Language Option</source>
        <translation>認識言語</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>すべてに適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QAbout</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>More Info</source>
        <translation>詳細情報</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>バージョン %1</translation>
    </message>
    <message>
        <source>Copyright %1 %2 Tarvello. All rights reserved.</source>
        <translation>Copyright %1 %2 Tarvello. 無断転載を禁じます。</translation>
    </message>
</context>
<context>
    <name>QNetWorkProcess</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>アップデート情報を読み取れませんでした。</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>ソフトウェアアップデート</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>A new version of %1 is available! <byte value="xd"/>
%1 %2 is now available---you have %3. Would you like to download it now?</source>
        <translation>%1の新しいバージョンがあります。<byte value="xd"/>
%1 %2が利用可能です（現在のバージョンは%3です）。今すぐダウンロードしますか？</translation>
    </message>
</context>
</TS>
