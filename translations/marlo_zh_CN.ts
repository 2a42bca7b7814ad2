<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ConversionTypes</name>
    <message>
        <source>將GB2312碼(簡体Windows默認內碼)轉換為Big5碼(繁体Windows默認內碼).</source>
        <translation>将GB2312码(简体Windows默认内码)转换为Big5码(繁体Windows默认内码).</translation>
    </message>
    <message>
        <source>BG --&gt;&gt; Big5的逆操作.</source>
        <translation>BG --&gt;&gt; Big5的逆操作.</translation>
    </message>
    <message>
        <source>如果希望能在簡体/繁体OS上都能看到繁体字,可將文檔由Big5碼轉換為GBK碼.</source>
        <translation>如果希望能在简体/繁体OS上都能看到繁体字,可将文档由Big5码转换为GBK码.</translation>
    </message>
    <message>
        <source>英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 Big5 --&gt;&gt; Unicode(W)</source>
        <translation>英文字符不被转换,即所有转换后的英文字符仍为一个字节.如果希望同时转换英文字符,请使用 Big5 --&gt;&gt; Unicode(W)</translation>
    </message>
    <message>
        <source>英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 GBK --&gt;&gt; Unicode(W)</source>
        <translation>英文字符不被转换,即所有转换后的英文字符仍为一个字节.如果希望同时转换英文字符,请使用 GBK --&gt;&gt; Unicode(W)</translation>
    </message>
    <message>
        <source>英文字符將按單字節處理</source>
        <translation>英文字符将按单字节处理</translation>
    </message>
    <message>
        <source>如果希望單字節英文字符不被轉換,請使用 Big5 --&gt;&gt; Unicode</source>
        <translation>如果希望单字节英文字符不被转换,请使用 Big5 --&gt;&gt; Unicode</translation>
    </message>
    <message>
        <source>CNS碼即倚天碼</source>
        <translation>CNS码即倚天码</translation>
    </message>
    <message>
        <source>該操作可以直接將簡体字轉換為繁体字,效果等同在Word中將簡体字轉換為繁体字.</source>
        <translation>该操作可以直接将简体字转换为繁体字,效果等同在Word中将简体字转换为繁体字.</translation>
    </message>
</context>
<context>
    <name>UserTexts</name>
    <message>
        <source>沒有權限</source>
        <translation>没有权限</translation>
    </message>
    <message>
        <source>磁盤空間不足</source>
        <translation>磁盘空间不足</translation>
    </message>
    <message>
        <source>文件系統是只讀的</source>
        <translation>文件系统是只读的</translation>
    </message>
    <message>
        <source>文件或文件夾不存在</source>
        <translation>文件或文件夹不存在</translation>
    </message>
    <message>
        <source>這是一個文件夾</source>
        <translation>这是一个文件夹</translation>
    </message>
    <message>
        <source>路徑中有一部分不是文件夾</source>
        <translation>路径中有一部分不是文件夹</translation>
    </message>
    <message>
        <source>文件名太長</source>
        <translation>文件名太长</translation>
    </message>
    <message>
        <source>讀寫設備出錯</source>
        <translation>读写设备出错</translation>
    </message>
    <message>
        <source>轉換成功</source>
        <translation>转换成功</translation>
    </message>
    <message>
        <source>(UTF-8 源文件)</source>
        <translation>(UTF-8 源文件)</translation>
    </message>
    <message>
        <source>請輸入目標路徑!</source>
        <translation>请输入目标路径!</translation>
    </message>
    <message>
        <source>該文件已經存在,是否覆蓋?</source>
        <translation>该文件已经存在,是否覆盖?</translation>
    </message>
    <message>
        <source>目標文件已經存在</source>
        <translation>目标文件已经存在</translation>
    </message>
    <message>
        <source>全部覆蓋</source>
        <translation>全部覆盖</translation>
    </message>
    <message>
        <source>(文件較大,此頁只顯示它的開頭。完整的轉換結果在&quot;文本&quot;頁。)</source>
        <translation>(文件较大,此页只显示它的开头。完整的转换结果在&quot;文本&quot;页。)</translation>
    </message>
    <message>
        <source>%1 寫出的是 CNS 11643 碼, 不能輸出為 UTF-8</source>
        <translation>%1 写出的是 CNS 11643 码, 不能输出为 UTF-8</translation>
    </message>
    <message>
        <source>; %1 個文件按忽略列表跳過</source>
        <translation>; %1 个文件按忽略列表跳过</translation>
    </message>
    <message>
        <source>無法確保只運行一個 Marlo 窗口: 以後的啟動可能打開另一個窗口。</source>
        <translation>无法确保只运行一个 Marlo 窗口: 以后的启动可能打开另一个窗口。</translation>
    </message>
    <message>
        <source>-o 只能與文件一起使用: 過濾模式把結果寫到標準輸出</source>
        <translation>-o 只能与文件一起使用: 过滤模式把结果写到标准输出</translation>
    </message>
    <message>
        <source>-o 指定目標文件夾 (轉換後的文件以原名寫入其中), &quot;%1&quot; 卻像是一個文件; 請指定文件夾</source>
        <translation>-o 指定目标文件夹 (转换后的文件以原名写入其中), &quot;%1&quot; 却像是一个文件; 请指定文件夹</translation>
    </message>
    <message>
        <source>-o - 把一個文件轉換到標準輸出: 請只給一個文件</source>
        <translation>-o - 把一个文件转换到标准输出: 请只给一个文件</translation>
    </message>
    <message>
        <source>; 其中 %1 個有警告</source>
        <translation>; 其中 %1 个有警告</translation>
    </message>
    <message>
        <source>仍然把轉換結果放入剪貼板?</source>
        <translation>仍然把转换结果放入剪贴板?</translation>
    </message>
    <message>
        <source>完成: %1 個轉換成功, %2 個已跳過, %3 個失敗, 用時 %4 秒</source>
        <translation>完成: %1 个转换成功, %2 个已跳过, %3 个失败, 用时 %4 秒</translation>
    </message>
    <message>
        <source>已停止: %1 個轉換成功, %2 個已跳過, %3 個失敗; 列表中還有 %4 個文件未處理</source>
        <translation>已停止: %1 个转换成功, %2 个已跳过, %3 个失败; 列表中还有 %4 个文件未处理</translation>
    </message>
    <message>
        <source>全部跳過</source>
        <translation>全部跳过</translation>
    </message>
    <message>
        <source>內存不足,無法轉換該文件</source>
        <translation>内存不足,无法转换该文件</translation>
    </message>
    <message>
        <source>目標文件就是源文件,未覆蓋</source>
        <translation>目标文件就是源文件,未覆盖</translation>
    </message>
    <message>
        <source>與本次轉換的另一個文件同名,未寫入</source>
        <translation>与本次转换的另一个文件同名,未写入</translation>
    </message>
    <message>
        <source>,未轉換</source>
        <translation>,未转换</translation>
    </message>
    <message>
        <source>不是有效的 UTF-8 文本: 第 %1 字節</source>
        <translation>不是有效的 UTF-8 文本: 第 %1 字节</translation>
    </message>
    <message>
        <source>已跳過(目標文件已存在)</source>
        <translation>已跳过(目标文件已存在)</translation>
    </message>
    <message>
        <source>文件名為 %1 編碼</source>
        <translation>文件名为 %1 编码</translation>
    </message>
    <message>
        <source>自動識別 UTF-8 源文件</source>
        <translation>自动识别 UTF-8 源文件</translation>
    </message>
    <message>
        <source>輸出為 UTF-8</source>
        <translation>输出为 UTF-8</translation>
    </message>
    <message>
        <source>按詞語轉換</source>
        <translation>按词语转换</translation>
    </message>
    <message>
        <source>包含子文件夾</source>
        <translation>包含子文件夹</translation>
    </message>
    <message>
        <source>按詞語轉換: 先把整個詞語按台灣用語轉換 (軟體 ⇄ 软件, 乾燥 → 干燥), 其餘按字轉換; 轉換結果的長度可能與源文件不同.</source>
        <translation>按词语转换: 先把整个词语按台湾用语转换 (軟體 ⇄ 软件, 乾燥 → 干燥), 其余按字转换; 转换结果的长度可能与源文件不同.</translation>
    </message>
    <message>
        <source>無法載入轉換碼表,不能轉換文件。請重新安裝本程序。</source>
        <translation>无法载入转换码表,不能转换文件。请重新安装本程序。</translation>
    </message>
    <message>
        <source>無法打開文件</source>
        <translation>无法打开文件</translation>
    </message>
    <message>
        <source>無法讀取文件</source>
        <translation>无法读取文件</translation>
    </message>
    <message>
        <source>無法寫入文件</source>
        <translation>无法写入文件</translation>
    </message>
    <message>
        <source>無法創建文件夾</source>
        <translation>无法创建文件夹</translation>
    </message>
    <message>
        <source>無法讀取文件夾</source>
        <translation>无法读取文件夹</translation>
    </message>
    <message>
        <source>個無效的 UTF-8 序列已替換</source>
        <translation>个无效的 UTF-8 序列已替换</translation>
    </message>
    <message>
        <source>標準輸入已關閉</source>
        <translation>标准输入已关闭</translation>
    </message>
    <message>
        <source>標準輸出已關閉</source>
        <translation>标准输出已关闭</translation>
    </message>
    <message>
        <source>無法刪除文件</source>
        <translation>无法删除文件</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>文件長度為零</source>
        <translation>文件长度为零</translation>
    </message>
    <message>
        <source>文件太大,內存不足</source>
        <translation>文件太大,内存不足</translation>
    </message>
    <message>
        <source>無法讀取</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>無法寫入</source>
        <translation>无法写入</translation>
    </message>
    <message>
        <source>標準輸入</source>
        <translation>标准输入</translation>
    </message>
    <message>
        <source>標準輸出</source>
        <translation>标准输出</translation>
    </message>
    <message>
        <source>看起來不是 %1 文本: %2 的非 ASCII 字符無效</source>
        <translation>看起来不是 %1 文本: %2 的非 ASCII 字符无效</translation>
    </message>
    <message>
        <source>,像是 %1 文本</source>
        <translation>,像是 %1 文本</translation>
    </message>
    <message>
        <source>%1 個字符無法用 %2 表示,已替換</source>
        <translation>%1 个字符无法用 %2 表示,已替换</translation>
    </message>
    <message>
        <source>無法保存設置: %1</source>
        <translation>无法保存设置: %1</translation>
    </message>
    <message>
        <source>正在處理: </source>
        <translation>正在处理: </translation>
    </message>
    <message>
        <source> [Y/n] </source>
        <translation> [Y/n] </translation>
    </message>
    <message>
        <source>共 %1 個文件: %2 個轉換成功, %3 個已跳過, %4 個失敗</source>
        <translation>共 %1 个文件: %2 个转换成功, %3 个已跳过, %4 个失败</translation>
    </message>
    <message>
        <source>, %1 個未處理 (已停止)</source>
        <translation>, %1 个未处理 (已停止)</translation>
    </message>
    <message>
        <source>無法寫出轉換報告: %1</source>
        <translation>无法写出转换报告: %1</translation>
    </message>
    <message>
        <source>,無法寫出轉換報告</source>
        <translation>,无法写出转换报告</translation>
    </message>
    <message>
        <source>請用 &apos;marlo-convert --help&apos; 查看用法。</source>
        <translation>请用 &apos;marlo-convert --help&apos; 查看用法。</translation>
    </message>
    <message>
        <source>不是文件夾: %1</source>
        <translation>不是文件夹: %1</translation>
    </message>
    <message>
        <source>選項 %1 需要一個值</source>
        <translation>选项 %1 需要一个值</translation>
    </message>
    <message>
        <source>未知的選項 %1</source>
        <translation>未知的选项 %1</translation>
    </message>
    <message>
        <source>沒有指定轉換方式: 請加上 -t 方式 (見 marlo-convert --list-types)</source>
        <translation>没有指定转换方式: 请加上 -t 方式 (见 marlo-convert --list-types)</translation>
    </message>
    <message>
        <source>未知的轉換方式 &apos;%1&apos;: 請用 marlo-convert --list-types 列出的名稱或序號</source>
        <translation>未知的转换方式 &apos;%1&apos;: 请用 marlo-convert --list-types 列出的名称或序号</translation>
    </message>
    <message>
        <source>-j 需要 1 到 256 之間的文件數,不是 &apos;%1&apos;</source>
        <translation>-j 需要 1 到 256 之间的文件数,不是 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>-e 只能是 skip、ask 或 overwrite,不是 &apos;%1&apos;</source>
        <translation>-e 只能是 skip、ask 或 overwrite,不是 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--lossy 只能與 --from-utf8 一起使用</source>
        <translation>--lossy 只能与 --from-utf8 一起使用</translation>
    </message>
    <message>
        <source>--phrases 只能與 BigToGb、GbToBig 或 GbToBigToGbk 一起使用</source>
        <translation>--phrases 只能与 BigToGb、GbToBig 或 GbToBigToGbk 一起使用</translation>
    </message>
    <message>
        <source>-r 需要指定要轉換的文件夾</source>
        <translation>-r 需要指定要转换的文件夹</translation>
    </message>
    <message>
        <source>--ignore 只能與 -r 一起使用</source>
        <translation>--ignore 只能与 -r 一起使用</translation>
    </message>
    <message>
        <source>- (標準輸入) 不能與文件同時使用</source>
        <translation>- (标准输入) 不能与文件同时使用</translation>
    </message>
    <message>
        <source>用法: marlo-convert -t 方式 [-o 目標文件夾] [-e skip|ask|overwrite]
                    [--from-utf8] [--to-utf8] [--lossy] [--strict]
                    [--phrases] [-j N] 文件...
      marlo-convert -t 方式 [選項] -r 文件夾...
      marlo-convert -f 編碼 -t 編碼 [選項] 文件...
      marlo-convert -t 方式 [選項] --files-from 列表 [-0]
      marlo-convert -t 方式 [-] &lt; 輸入 &gt; 輸出
      marlo-convert --list-types | --help | --version

在 GB2312、Big5、GBK、CNS 11643 和 UCS-2 字節形式之間逐字節轉換中文文本文件。
每個文件以原名寫入目標文件夾,默認為第一個文件旁邊以轉換方式命名的文件夾。
沒有文件或文件為 - 時,把標準輸入轉換到標準輸出。

  -t, --type 方式       轉換方式: 名稱如 BigToGb (不分大小寫) 或序號 0..13,
                        見 --list-types
  -f, --from 編碼       按編碼指定轉換方式: 讀取的編碼 gb2312、gbk、big5、
                        cns11643 或 utf-8; 寫出的編碼由 --to 或 -t 給出
                        (見 --list-types)
      --to 編碼         寫出的編碼 (與 --from 一起)
  -o, --output-dir 文件夾  目標文件夾 (上一級存在時自動創建);
                        -o - 把唯一的一個文件轉換到標準輸出
  -e, --existing 做法   目標文件已經存在時: skip 跳過 (默認)、ask 詢問或
                        overwrite 覆蓋; 沒有終端時 ask 等於 skip
      --from-utf8       輸入是 UTF-8: 先編碼為該方式讀取的編碼 (GB2312、
                        GBK 或 Big5); 無法表示的字符被替換並在標準錯誤上計數;
                        開頭的字節順序標記被去掉
      --to-utf8         把轉換結果解碼為 UTF-8
      --lossy           與 --from-utf8 一起: 無效的 UTF-8 當作 U+FFFD,
                        不在其字節位置失敗; 這類序列另行計數
      --strict          字節看起來不是該方式的源編碼 (超過 1% 的非 ASCII
                        字符無效),或有字符會被替換的文件算作失敗,不寫任何
                        內容; 不加此項時只警告
      --on-doubt 做法   看起來是別的編碼的文件: convert 照樣轉換並警告 (默認)、
                        skip 跳過 (不寫) 或 fail 算作失敗
      --phrases         與 BigToGb、GbToBig 和 GbToBigToGbk 一起: 先按詞語
                        轉換,繁體一側用台灣用語 (軟體 ⇄ 软件, 乾燥 → 干燥),
                        其餘按字; 輸出的長度因此可能與輸入不同
  -r, --recursive       參數是文件夾: 把其下每個普通文件轉換到目標文件夾
                        下的同樣位置 (默認為第一個文件夾中以轉換方式命名
                        的文件夾),跳過默認的忽略文件類型 (見 --ignore); 不跟隨
                        任何符號鏈接; 開頭 4 KiB 中有 NUL 字節的文件
                        是二進制文件,也跳過 (讀 UCS-2 的方式除外),列出的文件也一樣
      --ignore 列表     與 -r 一起: 改為跳過這些文件類型,如 &quot;.EXE;.ZIP&quot;
                        (文件的擴展名與列表中的一項相同時跳過,不分大小寫);
                        默認為窗口的默認列表,不是窗口中保存的列表
      --ignore-none     與 -r 一起: 不按文件類型跳過任何文件
      --files-from 列表  轉換列表中的文件,一行一個 (- 為標準輸入); 每個文件
                        在目標文件夾 (默認為當前文件夾中以轉換方式命名的
                        文件夾) 下保持其相對路徑
  -0, --null            與 --files-from 一起: 文件名以 NUL 分隔 (find -print0)
  -j, --jobs N          同時轉換 N 個文件 (默認: 每個處理器一個);
                        報告仍按文件的順序
  -l, --list-types      列出十四種轉換方式
  -h, --help            顯示本說明
  -V, --version         顯示版本

例: marlo-convert -t BigToGb --from-utf8 --to-utf8 &lt; 繁體.txt &gt; 简体.txt
    find . -name &apos;*.txt&apos; -print0 | marlo-convert -f big5 -t gb2312 --files-from - -0 -o 简体

退出狀態: 每個文件都已轉換或跳過時為 0,有文件失敗或報告無法寫出時為 1,
用法錯誤時為 2,被中斷時為 130。
</source>
        <translation>用法: marlo-convert -t 方式 [-o 目标文件夹] [-e skip|ask|overwrite]
                    [--from-utf8] [--to-utf8] [--lossy] [--strict]
                    [--phrases] [-j N] 文件...
      marlo-convert -t 方式 [选项] -r 文件夹...
      marlo-convert -f 编码 -t 编码 [选项] 文件...
      marlo-convert -t 方式 [选项] --files-from 列表 [-0]
      marlo-convert -t 方式 [-] &lt; 输入 &gt; 输出
      marlo-convert --list-types | --help | --version

在 GB2312、Big5、GBK、CNS 11643 和 UCS-2 字节形式之间逐字节转换中文文本文件。
每个文件以原名写入目标文件夹,默认为第一个文件旁边以转换方式命名的文件夹。
没有文件或文件为 - 时,把标准输入转换到标准输出。

  -t, --type 方式       转换方式: 名称如 BigToGb (不分大小写) 或序号 0..13,
                        见 --list-types
  -f, --from 编码       按编码指定转换方式: 读取的编码 gb2312、gbk、big5、
                        cns11643 或 utf-8; 写出的编码由 --to 或 -t 给出
                        (见 --list-types)
      --to 编码         写出的编码 (与 --from 一起)
  -o, --output-dir 文件夹  目标文件夹 (上一级存在时自动创建);
                        -o - 把唯一的一个文件转换到标准输出
  -e, --existing 做法   目标文件已经存在时: skip 跳过 (默认)、ask 询问或
                        overwrite 覆盖; 没有终端时 ask 等于 skip
      --from-utf8       输入是 UTF-8: 先编码为该方式读取的编码 (GB2312、
                        GBK 或 Big5); 无法表示的字符被替换并在标准错误上计数;
                        开头的字节顺序标记被去掉
      --to-utf8         把转换结果解码为 UTF-8
      --lossy           与 --from-utf8 一起: 无效的 UTF-8 当作 U+FFFD,
                        不在其字节位置失败; 这类序列另行计数
      --strict          字节看起来不是该方式的源编码 (超过 1% 的非 ASCII
                        字符无效),或有字符会被替换的文件算作失败,不写任何
                        内容; 不加此项时只警告
      --on-doubt 做法   看起来是别的编码的文件: convert 照样转换并警告 (默认)、
                        skip 跳过 (不写) 或 fail 算作失败
      --phrases         与 BigToGb、GbToBig 和 GbToBigToGbk 一起: 先按词语
                        转换,繁体一侧用台湾用语 (軟體 ⇄ 软件, 乾燥 → 干燥),
                        其余按字; 输出的长度因此可能与输入不同
  -r, --recursive       参数是文件夹: 把其下每个普通文件转换到目标文件夹
                        下的同样位置 (默认为第一个文件夹中以转换方式命名
                        的文件夹),跳过默认的忽略文件类型 (见 --ignore); 不跟随
                        任何符号链接; 开头 4 KiB 中有 NUL 字节的文件
                        是二进制文件,也跳过 (读 UCS-2 的方式除外),列出的文件也一样
      --ignore 列表     与 -r 一起: 改为跳过这些文件类型,如 &quot;.EXE;.ZIP&quot;
                        (文件的扩展名与列表中的一项相同时跳过,不分大小写);
                        默认为窗口的默认列表,不是窗口中保存的列表
      --ignore-none     与 -r 一起: 不按文件类型跳过任何文件
      --files-from 列表  转换列表中的文件,一行一个 (- 为标准输入); 每个文件
                        在目标文件夹 (默认为当前文件夹中以转换方式命名的
                        文件夹) 下保持其相对路径
  -0, --null            与 --files-from 一起: 文件名以 NUL 分隔 (find -print0)
  -j, --jobs N          同时转换 N 个文件 (默认: 每个处理器一个);
                        报告仍按文件的顺序
  -l, --list-types      列出十四种转换方式
  -h, --help            显示本说明
  -V, --version         显示版本

例: marlo-convert -t BigToGb --from-utf8 --to-utf8 &lt; 繁体.txt &gt; 简体.txt
    find . -name &apos;*.txt&apos; -print0 | marlo-convert -f big5 -t gb2312 --files-from - -0 -o 简体

退出状态: 每个文件都已转换或跳过时为 0,有文件失败或报告无法写出时为 1,
用法错误时为 2,被中断时为 130。
</translation>
    </message>
    <message>
        <source>已加入 %1 個文件</source>
        <translation>已加入 %1 个文件</translation>
    </message>
    <message>
        <source>; 未進入 %1 個以轉換方式命名的文件夾 (以前轉換的結果)</source>
        <translation>; 未进入 %1 个以转换方式命名的文件夹 (以前转换的结果)</translation>
    </message>
    <message>
        <source>--to 與 -t 只能用一個: 有 --from 時 -t 即目標編碼</source>
        <translation>--to 与 -t 只能用一个: 有 --from 时 -t 即目标编码</translation>
    </message>
    <message>
        <source>--from 和 --to 要一起使用</source>
        <translation>--from 和 --to 要一起使用</translation>
    </message>
    <message>
        <source>未知的編碼 &quot;%1&quot; (可用: gb2312, gbk, big5, cns11643, utf-8)</source>
        <translation>未知的编码 &quot;%1&quot; (可用: gb2312, gbk, big5, cns11643, utf-8)</translation>
    </message>
    <message>
        <source>沒有從 %1 到 %2 的轉換方式; 見 --list-types</source>
        <translation>没有从 %1 到 %2 的转换方式; 见 --list-types</translation>
    </message>
    <message>
        <source>; 是不是 %1?</source>
        <translation>; 是不是 %1?</translation>
    </message>
    <message>
        <source>-0 只能與 --files-from 一起使用</source>
        <translation>-0 只能与 --files-from 一起使用</translation>
    </message>
    <message>
        <source>--files-from 給出全部文件: 不能再有文件參數、-r 或 -o -</source>
        <translation>--files-from 给出全部文件: 不能再有文件参数、-r 或 -o -</translation>
    </message>
    <message>
        <source>無法讀取文件列表 %1: %2</source>
        <translation>无法读取文件列表 %1: %2</translation>
    </message>
    <message>
        <source>, 已停止: 目錄樹中其餘的文件未處理</source>
        <translation>, 已停止: 目录树中其余的文件未处理</translation>
    </message>
    <message>
        <source>; %1 個二進制文件 (含 NUL 字節) 已跳過</source>
        <translation>; %1 个二进制文件 (含 NUL 字节) 已跳过</translation>
    </message>
    <message>
        <source>沒有讀寫 UTF-16 的轉換方式: Unicode 方式用本程序自己的字節形式 (ASCII 一個字節, 其他字符兩個字節、高字節在前); 請用 utf-8, 或用 -t 指定 Unicode 方式</source>
        <translation>没有读写 UTF-16 的转换方式: Unicode 方式用本程序自己的字节形式 (ASCII 一个字节, 其他字符两个字节、高字节在前); 请用 utf-8, 或用 -t 指定 Unicode 方式</translation>
    </message>
    <message>
        <source>-o 需要一個文件夾名稱, 不能是空的</source>
        <translation>-o 需要一个文件夹名称, 不能是空的</translation>
    </message>
    <message>
        <source>有字符無法用 %1 表示, 會被替換 (--strict)</source>
        <translation>有字符无法用 %1 表示, 会被替换 (--strict)</translation>
    </message>
    <message>
        <source>不能讀寫 EUC-TW: BigToCNS 寫出的 CNS 11643 碼是本程序自己的形式 (第二字面不帶 8EA2 前綴), EUC-TW 解碼器讀不懂; 要這種形式請用 --to cns11643 或 -t BigToCNS</source>
        <translation>不能读写 EUC-TW: BigToCNS 写出的 CNS 11643 码是本程序自己的形式 (第二字面不带 8EA2 前缀), EUC-TW 解码器读不懂; 要这种形式请用 --to cns11643 或 -t BigToCNS</translation>
    </message>
    <message>
        <source>沒有從 %1 到 gb2312 的轉換方式: GB2312 沒有的字符 (如繁體字) 都會被替換成空白; GB2312 文本也是 GBK 文本, 請用 --to gbk</source>
        <translation>没有从 %1 到 gb2312 的转换方式: GB2312 没有的字符 (如繁体字) 都会被替换成空白; GB2312 文本也是 GBK 文本, 请用 --to gbk</translation>
    </message>
    <message>
        <source>(按字符: 簡體字寫成繁體字, 不替換成空白)</source>
        <translation>(按字符: 简体字写成繁体字, 不替换成空白)</translation>
    </message>
    <message>
        <source>是符號鏈接,沒有跟隨</source>
        <translation>是符号链接,没有跟随</translation>
    </message>
    <message>
        <source>; %1 個符號鏈接已跳過 (不跟隨)</source>
        <translation>; %1 个符号链接已跳过 (不跟随)</translation>
    </message>
    <message>
        <source>; %1 個文件在目標文件夾中, 已跳過</source>
        <translation>; %1 个文件在目标文件夹中, 已跳过</translation>
    </message>
    <message>
        <source>%1 給了兩次, 而且不一樣: 請只給一次</source>
        <translation>%1 给了两次, 而且不一样: 请只给一次</translation>
    </message>
    <message>
        <source>%1 與 %2 矛盾: 一端只能是一種編碼</source>
        <translation>%1 与 %2 矛盾: 一端只能是一种编码</translation>
    </message>
    <message>
        <source>已跳過: %1</source>
        <translation>已跳过: %1</translation>
    </message>
    <message>
        <source>--on-doubt 只能是 convert、skip 或 fail,不是 &apos;%1&apos;</source>
        <translation>--on-doubt 只能是 convert、skip 或 fail,不是 &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>marlo::frmClipboard</name>
    <message>
        <source>剪貼板</source>
        <translation>剪贴板</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>只有与當前操作系統匹配的字符才能在文本框中正常顯示。</source>
        <translation>只有与当前操作系统匹配的字符才能在文本框中正常显示。</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>文本</translation>
    </message>
    <message>
        <source>如果該頁現實得內容与實際不符,請嘗試使用右鍵點擊文本框,然后選擇&quot;刷新&quot;。</source>
        <translation>如果该页显示的内容与实际不符,请尝试使用右键点击文本框,然后选择&quot;刷新&quot;。</translation>
    </message>
    <message>
        <source>瀏覽器預覽</source>
        <translation>浏览器预览</translation>
    </message>
    <message>
        <source>該頁默認只顯示500個字符。</source>
        <translation>该页默认只显示500个字符。</translation>
    </message>
    <message>
        <source>十六進制編碼</source>
        <translation>十六进制编码</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>轉換結果</source>
        <translation>转换结果</translation>
    </message>
</context>
<context>
    <name>marlo::frmConfig</name>
    <message>
        <source>設置</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>在進行文件轉換時自動跳過下列文件類型(使用分號&quot;;&quot;隔開)</source>
        <translation>在进行文件转换时自动跳过下列文件类型(使用分号&quot;;&quot;隔开)</translation>
    </message>
    <message>
        <source>設置預覽文件或轉換剪貼板內容時的返回值</source>
        <translation>设置预览文件或转换剪贴板内容时的返回值</translation>
    </message>
    <message>
        <source>同時用瀏覽器顯示轉換文本,并同時顯示轉換文本的十六進制編碼(最多顯示500個字符)</source>
        <translation>同时用浏览器显示转换文本,并同时显示转换文本的十六进制编码(最多显示500个字符)</translation>
    </message>
    <message>
        <source>注意：如果要轉換的文件內容很多，選擇該項會耗費更多的系統資源。（會比直接轉換的耗時多很多）該選項不會影響批量轉換文件的效率。</source>
        <translation>注意：如果要转换的文件内容很多，选择该项会耗费更多的系统资源。（会比直接转换的耗时多很多）该选项不会影响批量转换文件的效率。</translation>
    </message>
    <message>
        <source>界面語言</source>
        <translation>界面语言</translation>
    </message>
    <message>
        <source>自動 (按系統語言)</source>
        <translation>自动 (按系统语言)</translation>
    </message>
    <message>
        <source>更改後的界面語言在下次啟動本程序時生效。</source>
        <translation>更改后的界面语言在下次启动本程序时生效。</translation>
    </message>
    <message>
        <source>非處理文件類型</source>
        <translation>非处理文件类型</translation>
    </message>
    <message>
        <source>返回值</source>
        <translation>返回值</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
</context>
<context>
    <name>marlo::frmMain</name>
    <message>
        <source>開始轉換</source>
        <translation>开始转换</translation>
    </message>
    <message>
        <source>按選定的轉換方式轉換選定的文件.</source>
        <translation>按选定的转换方式转换选定的文件.</translation>
    </message>
    <message>
        <source>設    置</source>
        <translation>设    置</translation>
    </message>
    <message>
        <source>剪貼板</source>
        <translation>剪贴板</translation>
    </message>
    <message>
        <source>將剪貼板的內容按選定方式轉換.</source>
        <translation>将剪贴板的内容按选定方式转换.</translation>
    </message>
    <message>
        <source>預    覽</source>
        <translation>预    览</translation>
    </message>
    <message>
        <source>雙擊選定的文件,可按選定的方式轉換并預覽.</source>
        <translation>双击选定的文件,可按选定的方式转换并预览.</translation>
    </message>
    <message>
        <source>關    于</source>
        <translation>关    于</translation>
    </message>
    <message>
        <source>退    出</source>
        <translation>退    出</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>耗時(秒)</source>
        <translation>耗时(秒)</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>請選擇要轉換的文件</source>
        <translation>请选择要转换的文件</translation>
    </message>
    <message>
        <source>非處理文件可以在&quot;設置&quot;中修改</source>
        <translation>非处理文件可以在&quot;设置&quot;中修改</translation>
    </message>
    <message>
        <source>轉換方式</source>
        <translation>转换方式</translation>
    </message>
    <message>
        <source>當目標文件已經存在時</source>
        <translation>当目标文件已经存在时</translation>
    </message>
    <message>
        <source>跳過該文件</source>
        <translation>跳过该文件</translation>
    </message>
    <message>
        <source>詢問用戶</source>
        <translation>询问用户</translation>
    </message>
    <message>
        <source>直接覆蓋</source>
        <translation>直接覆盖</translation>
    </message>
    <message>
        <source>目標</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>保存路徑:</source>
        <translation>保存路径:</translation>
    </message>
    <message>
        <source>保存路徑</source>
        <translation>保存路径</translation>
    </message>
    <message>
        <source>正在處理:</source>
        <translation>正在处理:</translation>
    </message>
    <message>
        <source>總共處理文件:</source>
        <translation>总共处理文件:</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>類型不匹配</source>
        <translation>类型不匹配</translation>
    </message>
    <message>
        <source>只有當剪貼板中的內容是文本時,才能使用該功能!</source>
        <translation>只有当剪贴板中的内容是文本时,才能使用该功能!</translation>
    </message>
    <message>
        <source>剪貼板:(</source>
        <translation>剪贴板:(</translation>
    </message>
    <message>
        <source>該文件不存在!</source>
        <translation>该文件不存在!</translation>
    </message>
    <message>
        <source>轉換結果</source>
        <translation>转换结果</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>文件夾</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>文件類型</source>
        <translation>文件类型</translation>
    </message>
    <message>
        <source>加入選定的文件</source>
        <translation>加入选定的文件</translation>
    </message>
    <message>
        <source>移除選定的文件</source>
        <translation>移除选定的文件</translation>
    </message>
    <message>
        <source>要轉換的文件</source>
        <translation>要转换的文件</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>保存到文件夾列表中選定的文件夾</source>
        <translation>保存到文件夹列表中选定的文件夹</translation>
    </message>
    <message>
        <source>選擇保存路徑</source>
        <translation>选择保存路径</translation>
    </message>
    <message>
        <source>進度</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>文件夾</source>
        <comment>a file&apos;s type</comment>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>%1 個路徑不存在, 未加入: %2</source>
        <translation>%1 个路径不存在, 未加入: %2</translation>
    </message>
</context>
<context>
    <name>marlo::frmSplash</name>
    <message>
        <source>版本信息：</source>
        <translation>版本信息：</translation>
    </message>
    <message>
        <source>操作系統：Linux</source>
        <translation>操作系统：Linux</translation>
    </message>
    <message>
        <source>本程序是自由軟件，依 Apache 許可證 2.0 版發佈：可以自由使用、複製、修改和散發。許可證全文見隨程序安裝的 LICENSE 文件。</source>
        <translation>本程序是自由软件，依 Apache 许可证 2.0 版发布：可以自由使用、复制、修改和散发。许可证全文见随程序安装的 LICENSE 文件。</translation>
    </message>
    <message>
        <source>關於 Marlo</source>
        <translation>关于 Marlo</translation>
    </message>
    <message>
        <source>關閉</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>marlo::modHandleFrom</name>
    <message>
        <source>關閉</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>幫助</source>
        <translation>帮助</translation>
    </message>
</context>
</TS>
