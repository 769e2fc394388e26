<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>关于作者</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>作者: Halvern 开发组</source>
        <translation>Author: the Halvern team</translation>
    </message>
    <message>
        <source>关于Quorbex</source>
        <translation>About Quorbex</translation>
    </message>
    <message>
        <source>    这本小小的药物手册, 起初只是写给自己用的:<byte value="xd"/>
    夜班时查一个药名, 不想再翻厚厚的书。<byte value="xd"/>
    后来同事们也拿去用, 便慢慢添了查找、<byte value="xd"/>
    修改和打印的功能。<byte value="xd"/>
    书中的每一条记录都由您自己写下,<byte value="xd"/>
    请在用药前核对正式的说明书。<byte value="xd"/>
    愿它在忙碌的日子里帮上一点小忙。</source>
        <translation>    This little drug handbook began as my own,
    to look up a drug on a night shift without
    leafing through thick books. Colleagues took
    it up, and it learned to search, edit, print.
    Every record in it is one you wrote yourself:
    check the official package insert before use.
    May it help a little on your busy days.</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>你同时只能运行Quorbex的一个实例!!!

请从任务栏上将之最大化!</source>
        <translation>Only one copy of Quorbex can run at a time.

Please bring the running one to the front from the taskbar.</translation>
    </message>
    <message>
        <source>打开</source>
        <extracomment>The title of the file dialog that opens a dictionary</extracomment>
        <translation>Open</translation>
    </message>
    <message>
        <source>打印设置</source>
        <translation>Print Setup</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>用法:
  quorbex [文件]
      打开药物字典“文件”; 不写文件时显示启动对话框。
  quorbex /p 文件
      用默认打印机打印“文件”中第一种药物的全文, 然后退出。
  quorbex /pt 文件 打印机
      用名为“打印机”的打印机打印; 名字以 .pdf 结尾时写成该 PDF 文件。
  quorbex --handbook 文件 [输出.pdf] [--sort pinyin|trade|english]
      不显示窗口, 把“文件”中全部药物的手册写成 PDF 文件 (默认在字典旁边,
      与字典同名), 按拼音 (默认)、品名或英文名排序, 然后退出;
      出错时说明原因, 退出状态为 2。
  quorbex --register-desktop [文件]
      即使从编译目录运行, 也在桌面上登记程序和药物字典文件类型。
  quorbex --help
      显示本说明。
  quorbex --version
      显示版本号。
</source>
        <extracomment>What quorbex --help prints; the options and their values stay as they are</extracomment>
        <translation>Usage:
  quorbex [FILE]
      Opens the drug dictionary FILE; without one, shows the startup dialog.
  quorbex /p FILE
      Prints the text of the first drug of FILE on the default printer, then
      ends.
  quorbex /pt FILE PRINTER
      Prints the same on the printer PRINTER; a name that ends in .pdf
      writes that PDF file.
  quorbex --handbook FILE [OUT.pdf] [--sort pinyin|trade|english]
      Writes the handbook of every drug of FILE as a PDF file (by default
      beside the dictionary, with its name), showing no window, in pinyin
      order (the default), by trade name or by English name, then ends; on
      a failure it says why and ends with exit status 2.
  quorbex --register-desktop [FILE]
      Registers the program and the dictionary file type with the desktop,
      even when the program runs from a build folder.
  quorbex --help
      Shows this help.
  quorbex --version
      Shows the version.
</translation>
    </message>
    <message>
        <source>--sort 后面要写排序方式: pinyin、trade 或 english</source>
        <translation>--sort needs an order: pinyin, trade or english</translation>
    </message>
    <message>
        <source>--sort 只能是 pinyin、trade 或 english, 不能是“%1”</source>
        <extracomment>%1 the value given to --sort</extracomment>
        <translation>--sort takes pinyin, trade or english, not “%1”</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>建立新文档
新建</source>
        <translation>Create a new document
New</translation>
    </message>
    <message>
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>打开一个现有文档
打开</source>
        <translation>Open an existing document
Open</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>关闭活动文档
关闭</source>
        <translation>Close the active document
Close</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存活动文档
保存</source>
        <translation>Save the active document
Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>将活动文档以一个新文件名保存
另存为</source>
        <translation>Save the active document under a new name
Save As</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>打印活动文档
打印</source>
        <translation>Print the active document
Print</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>显示整页
打印预览</source>
        <translation>Display full pages
Print Preview</translation>
    </message>
    <message>
        <source>打印设置(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>改变打印机及打印选项
打印设置</source>
        <translation>Change the printer and printing options
Print Setup</translation>
    </message>
    <message>
        <source>最近编辑文件(&amp;L)</source>
        <translation>Recent &amp;File</translation>
    </message>
    <message>
        <source>打开该文档</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档
退出</source>
        <translation>Quit the application; prompts to save documents
Exit</translation>
    </message>
    <message>
        <source>标准工具条</source>
        <translation>&amp;Standard Toolbar</translation>
    </message>
    <message>
        <source>显示，隐藏标准工具条</source>
        <translation>Show or hide the standard toolbar</translation>
    </message>
    <message>
        <source>药物工具条</source>
        <translation>&amp;Drug Toolbar</translation>
    </message>
    <message>
        <source>显示，隐藏药物工具条</source>
        <translation>Show or hide the drug toolbar</translation>
    </message>
    <message>
        <source>撤消(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>撤消最后一步操作
撤消</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>剪切被选对象并将其置于剪贴板上
剪切</source>
        <translation>Cut the selection and put it on the clipboard
Cut</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>复制被选对象并将其置于剪贴板上
复制</source>
        <translation>Copy the selection and put it on the clipboard
Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>插入剪贴板内容
粘贴</source>
        <translation>Insert the contents of the clipboard
Paste</translation>
    </message>
    <message>
        <source>层叠(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>排列窗口成相互重叠
层叠窗口</source>
        <translation>Arrange the windows so that they overlap
Cascade Windows</translation>
    </message>
    <message>
        <source>平铺(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>排列窗口成互不重叠
平铺窗口</source>
        <translation>Arrange the windows side by side, without overlapping
Tile Windows</translation>
    </message>
    <message>
        <source>排列图标(&amp;A)</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>将图标排列在窗口底部
排列图标</source>
        <translation>Arrange the icons along the bottom of the window
Arrange Icons</translation>
    </message>
    <message>
        <source>切换到下一个窗格
下一窗格</source>
        <translation>Switch to the next pane
Next Pane</translation>
    </message>
    <message>
        <source>切换回前一个窗格
前一窗格</source>
        <translation>Switch back to the previous pane
Previous Pane</translation>
    </message>
    <message>
        <source>关于(&amp;A)...</source>
        <translation>&amp;About Quorbex...</translation>
    </message>
    <message>
        <source>显示程序信息，版本号和版权
关于</source>
        <translation>Display program information, version number and copyright
About</translation>
    </message>
    <message>
        <source>保存对当前Quorbex的改变
保存对当前Quorbex的改变</source>
        <translation>Save the changes to the current dictionary
Save Changes</translation>
    </message>
    <message>
        <source>修改当前药物
修改当前药物</source>
        <translation>Edit the current drug
Edit Drug</translation>
    </message>
    <message>
        <source>追加记录
追加</source>
        <translation>Add a new drug record
Add</translation>
    </message>
    <message>
        <source>删除当前记录
删除</source>
        <translation>Delete the current record
Delete</translation>
    </message>
    <message>
        <source>浏览记录
浏览</source>
        <translation>Search the records and browse the results
Search</translation>
    </message>
    <message>
        <source>按品名排序</source>
        <translation>Sort by Trade Name</translation>
    </message>
    <message>
        <source>按英文排序</source>
        <translation>Sort by English Name</translation>
    </message>
    <message>
        <source>搜索品名</source>
        <translation>Search Trade Names</translation>
    </message>
    <message>
        <source>搜索拼音</source>
        <translation>Search Pinyin Initials</translation>
    </message>
    <message>
        <source>搜索别名</source>
        <translation>Search Other Names</translation>
    </message>
    <message>
        <source>搜索英文</source>
        <translation>Search English Names</translation>
    </message>
    <message>
        <source>搜索功能</source>
        <translation>Search Function</translation>
    </message>
    <message>
        <source>搜索用法</source>
        <translation>Search Usage</translation>
    </message>
    <message>
        <source>搜索禁忌</source>
        <translation>Search Cautions</translation>
    </message>
    <message>
        <source>全部搜索</source>
        <translation>Search All Fields</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>删除记录时弹出确认对话框</source>
        <translation>Ask for confirmation before a record is deleted</translation>
    </message>
    <message>
        <source>快速查找(&amp;F)</source>
        <translation>Quick &amp;Find</translation>
    </message>
    <message>
        <source>在药物工具条的查找框中边输入边查找
快速查找</source>
        <translation>Search as you type in the drug toolbar&apos;s search box
Quick Find</translation>
    </message>
    <message>
        <source>按拼音排序</source>
        <translation>Sort by Pinyin</translation>
    </message>
    <message>
        <source>修改(&amp;M)...</source>
        <translation>&amp;Modify...</translation>
    </message>
    <message>
        <source>追加(&amp;A)...</source>
        <translation>&amp;Append...</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>查询(&amp;S)...</source>
        <translation>&amp;Search...</translation>
    </message>
    <message>
        <source>保存时保留备份(&amp;K)</source>
        <translation>&amp;Keep a Backup When Saving</translation>
    </message>
    <message>
        <source>保存时把被替换的文件留作同名的.bak文件
保留备份</source>
        <translation>Keep the file a save replaces as a .bak file of the same name
Keep backup</translation>
    </message>
    <message>
        <source>撤消记录改动(&amp;Z)</source>
        <translation>U&amp;ndo Record Change</translation>
    </message>
    <message>
        <source>撤消最后一次药物的追加、修改或删除
撤消记录改动</source>
        <translation>Undo the last append, modification or deletion of a drug
Undo record change</translation>
    </message>
    <message>
        <source>重做记录改动(&amp;Y)</source>
        <translation>R&amp;edo Record Change</translation>
    </message>
    <message>
        <source>重做刚撤消的药物改动
重做记录改动</source>
        <translation>Redo the drug change just undone
Redo record change</translation>
    </message>
    <message>
        <source>导入(&amp;I)...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>从CSV文件导入药物: 建立新药物字典或追加到当前字典
导入</source>
        <translation>Imports drugs from a CSV file into a new dictionary or onto the open one
Import</translation>
    </message>
    <message>
        <source>导出全部药物(&amp;E)...</source>
        <translation>&amp;Export All Drugs...</translation>
    </message>
    <message>
        <source>把当前字典的全部药物导出为CSV文件
导出</source>
        <translation>Exports every drug of the dictionary to a CSV file
Export</translation>
    </message>
    <message>
        <source>导出浏览结果(&amp;B)...</source>
        <translation>Export &amp;Browsed Results...</translation>
    </message>
    <message>
        <source>把当前浏览结果中的药物导出为CSV文件
导出浏览结果</source>
        <translation>Exports the drugs of the current results to a CSV file
Export results</translation>
    </message>
    <message>
        <source>打印手册(&amp;P)...</source>
        <translation>&amp;Print Handbook...</translation>
    </message>
    <message>
        <source>打印药物手册: 封面、目录和每种药物
打印手册</source>
        <translation>Prints the drug handbook: title page, contents and every drug
Print handbook</translation>
    </message>
    <message>
        <source>手册预览(&amp;V)</source>
        <translation>Handbook Pre&amp;view</translation>
    </message>
    <message>
        <source>显示药物手册的打印效果
手册预览</source>
        <translation>Shows the drug handbook as it will print
Handbook preview</translation>
    </message>
    <message>
        <source>手册存为PDF(&amp;F)...</source>
        <translation>Handbook as PD&amp;F...</translation>
    </message>
    <message>
        <source>把药物手册写成PDF文件
手册存为PDF</source>
        <translation>Writes the drug handbook into a PDF file
Handbook as PDF</translation>
    </message>
    <message>
        <source>只含浏览结果(&amp;R)</source>
        <translation>Current &amp;Results Only</translation>
    </message>
    <message>
        <source>手册只收当前浏览结果中的药物, 否则收全部药物</source>
        <translation>The handbook holds only the drugs of the current results, else every drug</translation>
    </message>
    <message>
        <source>放大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>放大药物列表和药物全文的字体
放大</source>
        <translation>Enlarges the text of the drug list and the record
Zoom in</translation>
    </message>
    <message>
        <source>缩小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>缩小药物列表和药物全文的字体
缩小</source>
        <translation>Shrinks the text of the drug list and the record
Zoom out</translation>
    </message>
    <message>
        <source>原始大小(&amp;Z)</source>
        <translation>Original Si&amp;ze</translation>
    </message>
    <message>
        <source>恢复字体的原始大小
原始大小</source>
        <translation>Gives the text its original size again
Original size</translation>
    </message>
    <message>
        <source>用户指南(&amp;G)</source>
        <translation>User &amp;Guide</translation>
    </message>
    <message>
        <source>打开程序的用户指南
用户指南</source>
        <translation>Opens the program&apos;s user guide
User guide</translation>
    </message>
    <message>
        <source>在所有字典中查找(&amp;L)</source>
        <translation>Find in A&amp;ll Dictionaries</translation>
    </message>
    <message>
        <source>在每个打开的药物字典中快速查找查找框的内容
在所有字典中查找</source>
        <translation>Quick-find the search box&apos;s text in every open dictionary
Find in All Dictionaries</translation>
    </message>
    <message>
        <source>后退(&amp;B)</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>回到本窗口中前一个查看的药物
后退</source>
        <translation>Go back to the drug viewed before in this window
Back</translation>
    </message>
    <message>
        <source>前进(&amp;W)</source>
        <translation>For&amp;ward</translation>
    </message>
    <message>
        <source>转到本窗口中后一个查看的药物
前进</source>
        <translation>Go forward to the drug viewed next in this window
Forward</translation>
    </message>
    <message>
        <source>合并字典(&amp;G)...</source>
        <translation>Mer&amp;ge Dictionary...</translation>
    </message>
    <message>
        <source>把另一个药物字典 (同事的文件或冲突副本) 合并到当前字典
合并字典</source>
        <translation>Merges another drug dictionary (a colleague&apos;s file or a conflict copy) into the active one
Merge Dictionary</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>此文件不是有效药物库文件,可能已被破坏</source>
        <translation>This file is not a valid drug dictionary; it may be damaged.</translation>
    </message>
    <message>
        <source>文件打开错误...</source>
        <translation>Error Opening File...</translation>
    </message>
    <message>
        <source>请输入要查找的内容:</source>
        <translation>Enter the text to search for:</translation>
    </message>
    <message>
        <source>没查到满足条件的药物记录!!!</source>
        <translation>No drug record matches the search.</translation>
    </message>
    <message>
        <source>查询失败..</source>
        <translation>Nothing Found..</translation>
    </message>
    <message>
        <source>药物字典已满,最多只能存放2000条药物记录!</source>
        <translation>The dictionary is full: it can hold at most 2000 drug records.</translation>
    </message>
    <message>
        <source>追加...</source>
        <translation>Add...</translation>
    </message>
    <message>
        <source>字典中无药物!</source>
        <translation>The dictionary holds no drugs.</translation>
    </message>
    <message>
        <source>修改...</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>记录已被删完!</source>
        <translation>There are no records left to delete.</translation>
    </message>
    <message>
        <source>删除...</source>
        <translation>Delete...</translation>
    </message>
    <message>
        <source>将要删除药物:

%1

确认吗?</source>
        <extracomment>%1 the name of the drug</extracomment>
        <translation>This deletes the drug:

%1

Are you sure?</translation>
    </message>
</context>
<context>
    <name>DocumentType</name>
    <message>
        <source>我的药物字典_</source>
        <extracomment>The title of a new dictionary, before its number</extracomment>
        <translation>MyDrugDictionary_</translation>
    </message>
    <message>
        <source>新药物字典</source>
        <translation>New drug dictionary</translation>
    </message>
    <message>
        <source>药物字典文件 (*.*.zvk)</source>
        <extracomment>The file dialogs&apos; filter; its pattern follows it</extracomment>
        <translation>Drug dictionary files (*.*.zvk)</translation>
    </message>
    <message>
        <source>药物字典</source>
        <extracomment>The desktop&apos;s name for .zvk files</extracomment>
        <translation>Drug dictionary</translation>
    </message>
</context>
<context>
    <name>DrugEntryDialog</name>
    <message>
        <source>品名:</source>
        <translation>Trade name:</translation>
    </message>
    <message>
        <source>英文:</source>
        <translation>English name:</translation>
    </message>
    <message>
        <source>拼音:</source>
        <translation>Pinyin:</translation>
    </message>
    <message>
        <source>别名:</source>
        <translation>Other names:</translation>
    </message>
    <message>
        <source>用法:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>功能:</source>
        <translation>Function:</translation>
    </message>
    <message>
        <source>注意:</source>
        <translation>Cautions:</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>屏蔽回车按钮</source>
        <translation>Next Field</translation>
    </message>
    <message>
        <source>药物输入窗口</source>
        <translation>Drug Entry</translation>
    </message>
    <message>
        <source>药物商品名称,小于10个汉字</source>
        <translation>Trade name of the drug, up to 10 Chinese characters</translation>
    </message>
    <message>
        <source>药物英文名称,小于20个字母</source>
        <translation>English name of the drug, up to 20 letters</translation>
    </message>
    <message>
        <source>药物拼音首字母简写,小于10个字母</source>
        <translation>Pinyin initials of the trade name, up to 10 letters</translation>
    </message>
    <message>
        <source>药物其它商品名称,小于20个汉字</source>
        <translation>Other trade names of the drug, up to 20 Chinese characters</translation>
    </message>
    <message>
        <source>药物功能作用,小于100个汉字</source>
        <translation>Actions and indications, up to 100 Chinese characters</translation>
    </message>
    <message>
        <source>药物用法及用量,小于100个汉字</source>
        <translation>Administration and dosage, up to 100 Chinese characters</translation>
    </message>
    <message>
        <source>药物使用注意事项及禁忌,小于100个汉字</source>
        <translation>Precautions and contraindications, up to 100 Chinese characters</translation>
    </message>
    <message>
        <source>品名 和 英文名 至少有一个有效</source>
        <translation>Enter at least a trade name or an English name.</translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>Input Error</translation>
    </message>
    <message>
        <source>这一栏还能放%1个字节 (一个汉字占两个字节)</source>
        <extracomment>The tool tip of a field&apos;s counter; %1 the bytes still free</extracomment>
        <translation>%1 bytes left in this field (a Chinese character takes two)</translation>
    </message>
    <message>
        <source>“%1”放不下这段文字: 多出%2个字节, 所以一个字也没有放入。
这一栏最多%3个字节, 还能放%4个字节。

放不下的是这一部分:
%5

请先缩短这一栏或这段文字, 再放入一次。</source>
        <extracomment>%1 the field, %2 the bytes that do not fit, %3 the field&apos;s limit, %4 the bytes still free, %5 the text that does not fit</extracomment>
        <translation>The text does not fit into the %1 field: it is %2 bytes too long, so none of it was put in.
The field holds at most %3 bytes; %4 are left.

This part does not fit:
%5

Shorten the field or the text first, then put it in again.</translation>
    </message>
    <message>
        <source>粘贴的文字仍在剪贴板上。</source>
        <translation>The pasted text is still on the clipboard.</translation>
    </message>
    <message>
        <source>拖来的文字留在原处。</source>
        <translation>The dragged text stays where it was.</translation>
    </message>
</context>
<context>
    <name>Exchange</name>
    <message>
        <source>导入药物</source>
        <translation>Import Drugs</translation>
    </message>
    <message>
        <source>CSV文件(&amp;F):</source>
        <translation>CSV &amp;file:</translation>
    </message>
    <message>
        <source>文字编码(&amp;E):</source>
        <translation>Text &amp;encoding:</translation>
    </message>
    <message>
        <source>自动识别</source>
        <translation>Detect automatically</translation>
    </message>
    <message>
        <source>建立新的药物字典(&amp;N)</source>
        <translation>Into a &amp;new dictionary</translation>
    </message>
    <message>
        <source>追加到当前药物字典(&amp;A)</source>
        <translation>&amp;Append to the open dictionary</translation>
    </message>
    <message>
        <source>浏览(&amp;B)...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>CSV文件 (*.csv)</source>
        <extracomment>The file dialogs&apos; filter; its pattern follows it</extracomment>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>导入...</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>“%1”不是一个可以读取的文件。</source>
        <extracomment>%1 the file</extracomment>
        <translation>&quot;%1&quot; is not a file that can be read.</translation>
    </message>
    <message>
        <source>文件“%1”中有以下错误:</source>
        <extracomment>%1 the file; the faults follow, one per line</extracomment>
        <translation>The file &quot;%1&quot; has these faults:</translation>
    </message>
    <message>
        <source>另有%1处错误未列出。</source>
        <extracomment>%1 how many faults are not listed</extracomment>
        <translation>%1 more faults are not listed.</translation>
    </message>
    <message>
        <source>没有导入任何药物。请改正后再导入。</source>
        <translation>No drug was imported. Correct the file and import it again.</translation>
    </message>
    <message>
        <source>文件中有%1种药物, 当前字典只能再存放%2种(最多2000种)。没有导入任何药物。</source>
        <extracomment>%1 the drugs in the file, %2 how many more the dictionary can hold</extracomment>
        <translation>The file holds %1 drugs; the dictionary can take only %2 more (2000 at most). No drug was imported.</translation>
    </message>
    <message>
        <source>导出药物</source>
        <translation>Export Drugs</translation>
    </message>
    <message>
        <source>导出...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>以下栏目中的字节不是有效的GBK文字(字典文件可能已损坏), 没有导出:</source>
        <translation>These fields hold bytes that are not GBK text (the dictionary may be damaged); nothing was exported:</translation>
    </message>
    <message>
        <source>无法写入文件“%1”。</source>
        <extracomment>%1 the file</extracomment>
        <translation>Cannot write the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>补上缺少的拼音首字母(&amp;P)</source>
        <translation>Fill in missing &amp;pinyin initials</translation>
    </message>
    <message>
        <source>第一行是标题行(&amp;H)</source>
        <translation>The first row is a &amp;header row</translation>
    </message>
    <message>
        <source>文件的标题行说不清各栏是什么, 请为每一栏选择它的内容:</source>
        <translation>The file&apos;s first row does not tell what its columns hold; choose the field of each column:</translation>
    </message>
    <message>
        <source>(跳过)</source>
        <extracomment>A column of the spreadsheet that is not imported</extracomment>
        <translation>(skipped)</translation>
    </message>
    <message>
        <source>字典中已有的药物(&amp;D):</source>
        <translation>&amp;Drugs the dictionary already has:</translation>
    </message>
    <message>
        <source>跳过</source>
        <translation>Skip them</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace them</translation>
    </message>
    <message>
        <source>两个都保留</source>
        <translation>Keep both</translation>
    </message>
    <message>
        <source>文件中有%1种药物已在字典中: %2

%3。要继续导入吗?</source>
        <extracomment>%1 how many drugs of the file are in the dictionary, %2 their names, %3 what happens</extracomment>
        <translation>%1 drugs of the file are in the dictionary already: %2

%3. Import the file?</translation>
    </message>
    <message>
        <source>将跳过它们, 字典中的保持不变</source>
        <translation>They will be skipped; the dictionary&apos;s stay as they are</translation>
    </message>
    <message>
        <source>字典中的将换成文件中的</source>
        <translation>The dictionary&apos;s will be replaced by the file&apos;s</translation>
    </message>
    <message>
        <source>两个都保留, 字典中将有重复的药物</source>
        <translation>Both will be kept; the dictionary will hold them twice</translation>
    </message>
    <message>
        <source>导入了%1种药物。</source>
        <extracomment>%1 the drugs imported; the warnings follow, one per line</extracomment>
        <translation>Imported %1 drugs.</translation>
    </message>
    <message>
        <source>第%1行: %2</source>
        <extracomment>%1 the spreadsheet&apos;s row, %2 what is wrong</extracomment>
        <translation>Row %1: %2</translation>
    </message>
    <message>
        <source>第%1行 (%2): %3</source>
        <extracomment>%1 the spreadsheet&apos;s row, %2 the drug&apos;s name, %3 what is wrong</extracomment>
        <translation>Row %1 (%2): %3</translation>
    </message>
    <message>
        <source>不加引号的单元格中有引号, 或引号结束后还有文字</source>
        <translation>a quote inside an unquoted cell, or text after a closing quote</translation>
    </message>
    <message>
        <source>加了引号的单元格没有结束</source>
        <translation>a quoted cell is not closed</translation>
    </message>
    <message>
        <source>一行超过%1个单元格; 读到这里为止</source>
        <extracomment>%1 the most cells a row may have</extracomment>
        <translation>more than %1 cells, the most a row may have; reading stopped here</translation>
    </message>
    <message>
        <source>一行超过%1个字节, 远多于任何药物所需; 读到这里为止</source>
        <extracomment>%1 the most bytes a row may have</extracomment>
        <translation>a row of more than %1 bytes, far more than any drug needs; reading stopped here</translation>
    </message>
    <message>
        <source>文件中什么也没有</source>
        <translation>the file holds no rows</translation>
    </message>
    <message>
        <source>标题行中没有一栏是药物的栏目 (如 品名、英文名、用法)</source>
        <translation>the header row names no column as a field of a drug, such as Trade name, English name or Usage</translation>
    </message>
    <message>
        <source>第%1栏和第%2栏都是%3</source>
        <extracomment>%1 and %2 the columns, %3 the field</extracomment>
        <translation>columns %1 and %2 both hold the %3</translation>
    </message>
    <message>
        <source>没有品名或英文名的一栏, 而每种药物至少要有其中之一</source>
        <translation>no column holds the trade name or the English name, one of which every drug needs</translation>
    </message>
    <message>
        <source>跳过了%1栏不是药物栏目的: %2</source>
        <extracomment>%1 how many columns, %2 their names</extracomment>
        <translation>skipped %1 columns that name no field of a drug: %2</translation>
    </message>
    <message>
        <source>第%1栏</source>
        <extracomment>A column without a name in the header row; %1 its number</extracomment>
        <translation>column %1</translation>
    </message>
    <message>
        <source>超过%1种药物, 这是一本字典最多能存放的; 读到这里为止</source>
        <extracomment>%1 the most drugs a dictionary holds</extracomment>
        <translation>more than %1 drugs, the most a dictionary holds; reading stopped here</translation>
    </message>
    <message>
        <source>有%1个单元格, 应该是%2个</source>
        <extracomment>%1 the cells of the row, %2 the cells expected</extracomment>
        <translation>%1 cells where %2 are expected</translation>
    </message>
    <message>
        <source>%1中有NUL字符</source>
        <extracomment>%1 the field</extracomment>
        <translation>the %1 holds a NUL character</translation>
    </message>
    <message>
        <source>%1中有制表符或换行, 名称中不能有</source>
        <extracomment>%1 the field</extracomment>
        <translation>the %1 holds a tab or a line break, which a name cannot hold</translation>
    </message>
    <message>
        <source>%1中有不是UTF-8的字节</source>
        <extracomment>%1 the field</extracomment>
        <translation>the %1 holds bytes that are not UTF-8</translation>
    </message>
    <message>
        <source>%1中有不是GBK文字的字节</source>
        <extracomment>%1 the field</extracomment>
        <translation>the %1 holds bytes that are not GBK text</translation>
    </message>
    <message>
        <source>%1中有GBK无法表示的字符“%2” (%3)</source>
        <extracomment>%1 the field, %2 the character</extracomment>
        <translation>the %1 holds &quot;%2&quot; (%3), which GBK cannot represent</translation>
    </message>
    <message>
        <source>%1在GBK中有%2个字节, 超过了%3个</source>
        <extracomment>%1 the field, %2 its bytes, %3 its limit</extracomment>
        <translation>the %1 is %2 bytes in GBK, more than %3</translation>
    </message>
    <message>
        <source>既没有品名也没有英文名; 每种药物至少要有其中之一</source>
        <translation>neither a trade name nor an English name; a drug needs at least one</translation>
    </message>
    <message>
        <source>第%1条记录的%2: 字节不是有效的GBK文字, 会被写成U+FFFD</source>
        <extracomment>%1 the record&apos;s number, %2 the field</extracomment>
        <translation>record %1, %2: bytes that are not GBK text, which would be written as U+FFFD</translation>
    </message>
</context>
<context>
    <name>Fields</name>
    <message>
        <source>品名</source>
        <translation>trade name</translation>
    </message>
    <message>
        <source>拼音</source>
        <translation>pinyin initials</translation>
    </message>
    <message>
        <source>别名</source>
        <translation>other names</translation>
    </message>
    <message>
        <source>英文名</source>
        <translation>English name</translation>
    </message>
    <message>
        <source>功能</source>
        <translation>function</translation>
    </message>
    <message>
        <source>用法</source>
        <translation>usage</translation>
    </message>
    <message>
        <source>注意事项</source>
        <translation>cautions</translation>
    </message>
    <message>
        <source>全部栏目</source>
        <translation>all fields</translation>
    </message>
</context>
<context>
    <name>Framework</name>
    <message>
        <source>是否保存对“%1”的修改?</source>
        <extracomment>%1 the file name</extracomment>
        <translation>Save the changes to “%1”?</translation>
    </message>
    <message>
        <source>无法保存文件“%1”:
%2

原有文件未被改动。</source>
        <extracomment>%1 the file name, %2 the reason</extracomment>
        <translation>Cannot save the file “%1”:
%2

The original file has not been changed.</translation>
    </message>
    <message>
        <source>无法打开文件“%1”:
%2</source>
        <extracomment>%1 the file name, %2 the reason</extracomment>
        <translation>Cannot open the file “%1”:
%2</translation>
    </message>
    <message>
        <source>没有访问该文件的权限</source>
        <translation>You do not have permission to use this file</translation>
    </message>
    <message>
        <source>文件不存在或无法打开</source>
        <translation>The file does not exist or cannot be opened</translation>
    </message>
    <message>
        <source>读取文件时出错</source>
        <translation>The file could not be read</translation>
    </message>
    <message>
        <source>文件操作失败</source>
        <translation>The file operation failed</translation>
    </message>
    <message>
        <source>字符“%1”不能存入药物字典,请改用其他字符。</source>
        <extracomment>%1 the character</extracomment>
        <translation>The character “%1” cannot be stored in a drug dictionary. Please use another character.</translation>
    </message>
    <message>
        <source>输入的内容不能超过%1个字节(%2个汉字)。</source>
        <extracomment>%1 the limit in bytes, %2 the same limit in Chinese characters</extracomment>
        <translation>The entry cannot be longer than %1 bytes (%2 Chinese characters).</translation>
    </message>
    <message>
        <source>无法为文档创建窗口。</source>
        <translation>Cannot create a window for the document.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>写入文件时出错</source>
        <translation>The file could not be written</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>您的磁盘空间配额已用完</source>
        <translation>your disk quota is used up</translation>
    </message>
    <message>
        <source>磁盘是只读的, 不能写入</source>
        <translation>the disk is read-only and cannot be written to</translation>
    </message>
    <message>
        <source>没有权限访问该文件或它所在的文件夹</source>
        <translation>you have no permission for the file or its folder</translation>
    </message>
    <message>
        <source>文件太大, 超过了系统允许的大小</source>
        <translation>the file would be larger than the system allows</translation>
    </message>
    <message>
        <source>无法保留备份文件“%1”: %2</source>
        <extracomment>%1 the backup&apos;s file name, %2 the reason</extracomment>
        <translation>Cannot keep the backup file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>文件“%1”在打开或上次保存之后已被其他程序改动。

是: 覆盖这些改动, 保存
否: 另存为其他文件
取消: 不保存</source>
        <extracomment>%1 the file name; the answers are the message box&apos;s Yes, No and Cancel</extracomment>
        <translation>The file &quot;%1&quot; was changed by another program since it was opened or last saved.

Yes: overwrite those changes and save
No: save as another file
Cancel: do not save</translation>
    </message>
    <message>
        <source>程序上次没有正常结束, “%1”中有未保存的改动 (%2)。

是: 恢复这些改动
否: 丢弃它们
取消: 下次启动时再问</source>
        <extracomment>%1 the dictionary&apos;s file name or title, %2 when its changes were last kept</extracomment>
        <translation>The program did not end normally last time, and &quot;%1&quot; has unsaved changes (%2).

Yes: restore these changes
No: discard them
Cancel: ask again at the next start</translation>
    </message>
    <message>
        <source>恢复文件“%1”已损坏, 无法恢复。

是否删除它?</source>
        <extracomment>%1 the recovery file</extracomment>
        <translation>The recovery file &quot;%1&quot; is damaged and cannot be restored.

Delete it?</translation>
    </message>
    <message>
        <source>这是一个文件夹, 不是文件</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>这是一个管道 (FIFO), 不是普通文件, 不能打开</source>
        <translation>This is a pipe (FIFO), not a regular file; it cannot be opened</translation>
    </message>
    <message>
        <source>这是一个套接字, 不是普通文件, 不能打开</source>
        <translation>This is a socket, not a regular file; it cannot be opened</translation>
    </message>
    <message>
        <source>这是一个设备, 不是普通文件, 不能打开</source>
        <translation>This is a device, not a regular file; it cannot be opened</translation>
    </message>
    <message>
        <source>文件“%1”已保存, 但无法保留它原来的用户组“%2”: 该组的成员可能不能再打开它。</source>
        <extracomment>%1 the file name, %2 the group it belonged to</extracomment>
        <translation>&quot;%1&quot; is saved, but it could not keep its group &quot;%2&quot;: the group&apos;s members may no longer open it.</translation>
    </message>
</context>
<context>
    <name>Guide</name>
    <message>
        <source>Quorbex 用户指南</source>
        <translation>Quorbex User Guide</translation>
    </message>
    <message>
        <source>找不到用户指南。它应该随程序安装在“%1”。</source>
        <extracomment>%1 the folder where the guide should be</extracomment>
        <translation>The user guide cannot be found. It should have been installed with the program in &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>Handbook</name>
    <message>
        <source>药物手册</source>
        <translation>Drug Handbook</translation>
    </message>
    <message>
        <source>共收药物%1种</source>
        <extracomment>%1 the number of drugs in the handbook</extracomment>
        <translation>%1 drugs</translation>
    </message>
    <message>
        <source>目录</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>第 %1 页</source>
        <extracomment>%1 the page number</extracomment>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>PDF文件 (*.pdf)</source>
        <extracomment>The file dialogs&apos; filter; its pattern follows it</extracomment>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>手册存为PDF</source>
        <translation>Handbook as PDF</translation>
    </message>
    <message>
        <source>%1（续）</source>
        <extracomment>The heading of a drug continued from the page before; %1 its name</extracomment>
        <translation>%1 (continued)</translation>
    </message>
    <message>
        <source>查询“%1”的结果</source>
        <extracomment>The title page of a handbook of search results; %1 what was searched for</extracomment>
        <translation>Results of the search for “%1”</translation>
    </message>
    <message>
        <source>浏览结果: 未查询, 列出全部药物</source>
        <extracomment>The title page of a handbook of results listed without a search</extracomment>
        <translation>Results: no search, every drug listed</translation>
    </message>
    <message>
        <source>查找范围: %1</source>
        <extracomment>%1 the fields searched, as a list</extracomment>
        <translation>Searched in: %1</translation>
    </message>
    <message>
        <source>、</source>
        <extracomment>Between the fields of the list of fields searched</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>按拼音排序</source>
        <translation>In pinyin order</translation>
    </message>
    <message>
        <source>按品名排序</source>
        <translation>In trade-name order</translation>
    </message>
    <message>
        <source>按英文名排序</source>
        <translation>In English-name order</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>谢谢使用Halvern!</source>
        <translation>Thank you for using Halvern!</translation>
    </message>
    <message>
        <source>工具条</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>药物工具条</source>
        <translation>Drug Toolbar</translation>
    </message>
    <message>
        <source>库文件记录:0000条,当前列表记录:0000条</source>
        <extracomment>Not shown: the record counts&apos; pane is made as wide as this text.</extracomment>
        <translation>Records in dictionary: 0000, current results: 0000</translation>
    </message>
    <message>
        <source>库文件记录:%1条,当前浏览结果:%2条</source>
        <extracomment>%1 the records in the dictionary, %2 the results of the last search</extracomment>
        <translation>Records in dictionary: %1, current results: %2</translation>
    </message>
    <message>
        <source>大写</source>
        <extracomment>Status bar pane, shown while Caps Lock is on</extracomment>
        <translation>CAP</translation>
    </message>
    <message>
        <source>数字</source>
        <extracomment>Status bar pane, shown while Num Lock is on</extracomment>
        <translation>NUM</translation>
    </message>
    <message>
        <source>滚动</source>
        <extracomment>Status bar pane, shown while Scroll Lock is on</extracomment>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>确认要退出Halvern吗?</source>
        <translation>Do you really want to quit Halvern?</translation>
    </message>
    <message>
        <source>退出...</source>
        <translation>Exit...</translation>
    </message>
    <message>
        <source>快速查找</source>
        <extracomment>Shown in the empty quick search box</extracomment>
        <translation>Quick find</translation>
    </message>
    <message>
        <source>边输入边查找 (Ctrl+F): 品名、英文、别名、拼音首字母或全拼, 最多200个字节; Esc 列出全部药物, 回车转到第一个结果, ↓ 打开最近的查找</source>
        <translation>Search as you type (Ctrl+F): trade name, English name, other names, pinyin initials or full pinyin, at most 200 bytes; Esc lists every drug, Enter goes to the first result, Down opens the recent searches</translation>
    </message>
    <message>
        <source>查找内容最多%1个字节, 多出的部分没有放入查找框</source>
        <extracomment>%1 the most bytes a search holds</extracomment>
        <translation>A search holds at most %1 bytes; the rest was left out</translation>
    </message>
    <message>
        <source>没有找到。您要找的是不是:</source>
        <extracomment>Over the drugs offered when the quick search found none</extracomment>
        <translation>Nothing found. Did you mean:</translation>
    </message>
    <message>
        <source>(还没有查看过药物)</source>
        <extracomment>The recently viewed menu before any drug was viewed</extracomment>
        <translation>(No drug viewed yet)</translation>
    </message>
    <message>
        <source>在所有字典中查找</source>
        <translation>Find in All Dictionaries</translation>
    </message>
    <message>
        <source>%1 (%2条)</source>
        <extracomment>%1 the dictionary, %2 how many drugs it found</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>所有打开的字典中都没有找到“%1”</source>
        <extracomment>%1 what was searched for</extracomment>
        <translation>No open dictionary holds “%1”</translation>
    </message>
    <message>
        <source>请先在快速查找框中输入要查找的内容</source>
        <translation>Type what to look for in the quick search box first</translation>
    </message>
</context>
<context>
    <name>Menus</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>工具条</source>
        <translation>Tool&amp;bars</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>查询选项(&amp;O)</source>
        <translation>Search &amp;Options</translation>
    </message>
    <message>
        <source>删除选项(&amp;P)</source>
        <translation>Delete O&amp;ptions</translation>
    </message>
    <message>
        <source>药物(&amp;D)</source>
        <translation>&amp;Drugs</translation>
    </message>
    <message>
        <source>药物手册(&amp;H)</source>
        <translation>Drug &amp;Handbook</translation>
    </message>
    <message>
        <source>最近查看(&amp;R)</source>
        <translation>&amp;Recently Viewed</translation>
    </message>
</context>
<context>
    <name>Safety</name>
    <message>
        <source>恢复未保存的改动</source>
        <translation>Restore Unsaved Changes</translation>
    </message>
    <message>
        <source>程序上次没有正常结束, 以下%1个药物字典中有未保存的改动。
恢复的字典作为已修改的字典打开, 保存后改动才写入文件。</source>
        <extracomment>%1 how many dictionaries are listed below</extracomment>
        <translation>Quorbex did not end normally last time: the %1 dictionaries below have unsaved changes.
A restored dictionary opens as a modified one; its changes reach its file when it is saved.</translation>
    </message>
    <message>
        <source>%1 (%2) — 恢复文件已损坏, 无法恢复</source>
        <extracomment>An entry of the list; %1 the dictionary, %2 when its changes were kept</extracomment>
        <translation>%1 (%2) — the recovery file is damaged and cannot be restored</translation>
    </message>
    <message>
        <source>全部恢复(&amp;R)</source>
        <translation>&amp;Restore All</translation>
    </message>
    <message>
        <source>全部丢弃(&amp;D)</source>
        <translation>&amp;Discard All</translation>
    </message>
    <message>
        <source>逐个询问(&amp;O)</source>
        <translation>Ask &amp;One by One</translation>
    </message>
    <message>
        <source>下次启动时再问(&amp;L)</source>
        <translation>Ask Again Ask at the Next Start (&amp;L)amp;Later</translation>
    </message>
    <message>
        <source>无法在文件夹“%1”中写入恢复文件: %2。

程序意外结束时, 未保存的改动将会丢失; 请及时保存。程序会继续尝试写入。</source>
        <extracomment>%1 the folder, %2 the cause</extracomment>
        <translation>Cannot write recovery files in the folder “%1”: %2.

Should the program end unexpectedly, unsaved changes will be lost; save your work often. The program keeps trying.</translation>
    </message>
    <message>
        <source>恢复文件无法写入: %1</source>
        <extracomment>In the status bar; %1 the cause</extracomment>
        <translation>Recovery files cannot be written: %1</translation>
    </message>
    <message>
        <source>它是一个符号链接, 不是文件夹</source>
        <translation>it is a symbolic link, not a folder</translation>
    </message>
    <message>
        <source>它或它所在的文件夹属于其他用户</source>
        <translation>it, or the folder it is in, belongs to another user</translation>
    </message>
    <message>
        <source>这个名字不是一个文件夹</source>
        <translation>the name is not a folder</translation>
    </message>
    <message>
        <source>其他用户可以写入它</source>
        <translation>other users can write in it</translation>
    </message>
    <message>
        <source>保护公式(&amp;G): 以 = + - @ 或制表符开头的栏目前加一个撇号(&apos;), 电子表格不会把它当作公式执行</source>
        <translation>&amp;Guard formulas: put an apostrophe (&apos;) before cells that begin with = + - @ or a tab, so that spreadsheets do not run them</translation>
    </message>
    <message>
        <source>去掉导出时为保护公式而加的撇号(&amp;G)</source>
        <translation>Take off the apostrophes that &amp;guard formulas</translation>
    </message>
    <message>
        <source>文件“%1”已经存在。是否替换它?</source>
        <extracomment>%1 the file</extracomment>
        <translation>The file “%1” already exists. Replace it?</translation>
    </message>
</context>
<context>
    <name>Sharing</name>
    <message>
        <source>“%1”已在磁盘上被改动, 已重新载入。</source>
        <extracomment>Status bar; %1 the file name</extracomment>
        <translation>“%1” changed on disk and was reloaded.</translation>
    </message>
    <message>
        <source>文件“%1”已在磁盘上被改动 (%2), 而这里有未保存的改动。</source>
        <extracomment>The bar above the record; %1 the file name, %2 the time of the change</extracomment>
        <translation>The file “%1” changed on disk (%2), and there are unsaved changes here.</translation>
    </message>
    <message>
        <source>合并(&amp;M)</source>
        <translation>&amp;Merge</translation>
    </message>
    <message>
        <source>重新载入(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>保留我的(&amp;K)</source>
        <translation>&amp;Keep Mine</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>重新载入“%1”会丢弃这里所有未保存的改动。

确认吗?</source>
        <extracomment>%1 the file name</extracomment>
        <translation>Reloading “%1” discards every unsaved change here.

Reload?</translation>
    </message>
    <message>
        <source>文件“%1”在打开或上次保存之后已在磁盘上被改动。

合并: 把磁盘上的改动和这里的改动合在一起, 然后保存
重新载入: 丢弃这里的改动, 换成磁盘上的文件
保留我的: 用这里的字典覆盖磁盘上的文件
取消: 不保存</source>
        <extracomment>%1 the file name; the answers are the buttons&apos; labels</extracomment>
        <translation>The file “%1” changed on disk since it was opened or last saved.

Merge: put the changes on disk and the changes here together, then save
Reload: discard the changes here for the file on disk
Keep Mine: write this dictionary over the file on disk
Cancel: do not save</translation>
    </message>
    <message>
        <source>合并的结果有%1种药物, 超过了一个字典最多2000种药物的限制。
没有合并, 字典未被改动。</source>
        <extracomment>%1 the drugs the merge would give</extracomment>
        <translation>The merge would give %1 drugs, more than the 2000 drugs a dictionary can hold.
Nothing was merged; the dictionary is unchanged.</translation>
    </message>
    <message>
        <source>文件“%1”不是有效药物库文件, 没有合并。</source>
        <extracomment>%1 the file</extracomment>
        <translation>The file “%1” is not a valid drug dictionary; nothing was merged.</translation>
    </message>
    <message>
        <source>无法读取文件“%1”: %2

没有合并。</source>
        <extracomment>%1 the file, %2 the reason</extracomment>
        <translation>Cannot read the file “%1”: %2

Nothing was merged.</translation>
    </message>
    <message>
        <source>已合并“%1”中的改动。</source>
        <extracomment>Status bar; %1 the file merged</extracomment>
        <translation>Merged the changes in “%1”.</translation>
    </message>
    <message>
        <source>“%1”中没有这里还没有的改动。</source>
        <extracomment>Status bar; %1 the file merged</extracomment>
        <translation>“%1” holds no changes that are not here already.</translation>
    </message>
    <message>
        <source>合并字典</source>
        <extracomment>The title of the file dialog that chooses a dictionary to merge</extracomment>
        <translation>Merge Dictionary</translation>
    </message>
    <message>
        <source>“%1”旁边有同步软件留下的冲突副本“%2”, 可以合并进来。</source>
        <extracomment>The bar above the record; %1 the dictionary&apos;s file name, %2 the copy&apos;s</extracomment>
        <translation>A sync service left the conflict copy “%2” beside “%1”; it can be merged in.</translation>
    </message>
    <message>
        <source>忽略(&amp;I)</source>
        <translation>&amp;Ignore</translation>
    </message>
    <message>
        <source>合并冲突</source>
        <translation>Merge Conflicts</translation>
    </message>
    <message>
        <source>以下药物在两边被改得不同。请为每种药物的每个冲突栏目取我的、取他们的, 或者直接修改结果:</source>
        <translation>These drugs were changed differently on the two sides. For each field in conflict take mine, take theirs, or edit the result:</translation>
    </message>
    <message>
        <source>栏目</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>我的</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>他们的</source>
        <translation>Theirs</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>取我的</source>
        <translation>Take Mine</translation>
    </message>
    <message>
        <source>取他们的</source>
        <translation>Take Theirs</translation>
    </message>
    <message>
        <source>(已删除)</source>
        <extracomment>In place of the texts of a drug that one side deleted</extracomment>
        <translation>(deleted)</translation>
    </message>
    <message>
        <source>保留这种药物(&amp;K)</source>
        <translation>&amp;Keep this drug</translation>
    </message>
</context>
<context>
    <name>StartupDialog</name>
    <message>
        <source>新建药物字典</source>
        <translation>New drug dictionary</translation>
    </message>
    <message>
        <source>药物字典创建模板(&amp;T)</source>
        <translation>From a &amp;template</translation>
    </message>
    <message>
        <source>建立空的药物字典(&amp;N)</source>
        <translation>&amp;Empty dictionary</translation>
    </message>
    <message>
        <source>打开用过的药物字典(&amp;U)</source>
        <translation>Open a &amp;recent one</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>历史文件列表未选定文件!</source>
        <translation>No file is selected in the list of recent files.</translation>
    </message>
    <message>
        <source>错误...</source>
        <translation>Error...</translation>
    </message>
</context>
<context>
    <name>TextInputDialog</name>
    <message>
        <source>请输入数据:</source>
        <translation>Please enter the data:</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>确认(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>数据输入窗口</source>
        <translation>Data Entry</translation>
    </message>
    <message>
        <source>粘贴的文字超过%1个字节, 截去了后面的部分:
%2</source>
        <extracomment>%1 the box&apos;s limit in bytes, %2 the text cut off</extracomment>
        <translation>The pasted text was longer than %1 bytes; this end of it was cut off:
%2</translation>
    </message>
</context>
<context>
    <name>Views</name>
    <message>
        <source>浏览药物结果</source>
        <translation>Search results</translation>
    </message>
    <message>
        <source>[品名]</source>
        <extracomment>Record text: the heading before the trade name</extracomment>
        <translation>[Trade name] </translation>
    </message>
    <message>
        <source>[英文]</source>
        <extracomment>Record text: the heading before the English name</extracomment>
        <translation>[English name] </translation>
    </message>
    <message>
        <source>[功能]</source>
        <extracomment>Record text: the heading above the function, on a line of its own</extracomment>
        <translation>[Function]</translation>
    </message>
    <message>
        <source>[用法]</source>
        <extracomment>Record text: the heading above the usage, on a line of its own</extracomment>
        <translation>[Usage]</translation>
    </message>
    <message>
        <source>[注意事项]</source>
        <extracomment>Record text: the heading above the cautions, on a line of its own</extracomment>
        <translation>[Cautions]</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>打印...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>无法写入文件“%1”,没有打印。</source>
        <extracomment>%1 the PDF file</extracomment>
        <translation>Cannot write the file “%1”; nothing was printed.</translation>
    </message>
    <message>
        <source>没有找到默认打印机,无法直接打印。
请先在系统中安装并设定打印机。</source>
        <translation>No default printer was found, so nothing can be printed directly.
Please install a printer and make it the default first.</translation>
    </message>
    <message>
        <source>找不到打印机“%1”,无法打印。</source>
        <extracomment>%1 the printer&apos;s name</extracomment>
        <translation>The printer “%1” cannot be found; nothing was printed.</translation>
    </message>
    <message>
        <source>这里的修改不会保存; 要修改这种药物, 请按 F2。</source>
        <extracomment>The status bar, at the first edit in the record text</extracomment>
        <translation>Edits here are not kept; to change this drug, press F2.</translation>
    </message>
</context>
</TS>
