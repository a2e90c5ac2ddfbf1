<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AppMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Guia do usuário</translation>
    </message>
    <message>
        <source>&amp;Feedback and Support</source>
        <translation>&amp;Feedback e suporte</translation>
    </message>
    <message>
        <source>&amp;Add Files...</source>
        <translation>&amp;Adicionar arquivos...</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>&amp;Limpar tudo</translation>
    </message>
    <message>
        <source>Clear &amp;Finished Items</source>
        <translation>Limpar itens &amp;concluídos</translation>
    </message>
    <message>
        <source>&amp;Check for Updates</source>
        <translation>&amp;Verificar atualizações</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Sobre</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;juda</translation>
    </message>
    <message>
        <source>Show &amp;Log Folder</source>
        <translation>&amp;Mostrar pasta de logs</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Sair</translation>
    </message>
</context>
<context>
    <name>ComponentCheck</name>
    <message>
        <source>The installed OCR module is damaged. Please try again.</source>
        <translation>O módulo de OCR instalado está danificado. Tente novamente.</translation>
    </message>
    <message>
        <source>Installation Failed</source>
        <translation>Falha na instalação</translation>
    </message>
</context>
<context>
    <name>ConvertOptionSetting</name>
    <message>
        <source>OCR Settings</source>
        <translation>Configurações de OCR</translation>
    </message>
    <message>
        <source>DOCX Settings</source>
        <translation>Configurações de DOCX</translation>
    </message>
    <message>
        <source>XLSX Settings</source>
        <translation>Configurações de XLSX</translation>
    </message>
    <message>
        <source>PPTX Settings</source>
        <translation>Configurações de PPTX</translation>
    </message>
    <message>
        <source>TXT Settings</source>
        <translation>Configurações de TXT</translation>
    </message>
    <message>
        <source>RTF Settings</source>
        <translation>Configurações de RTF</translation>
    </message>
    <message>
        <source>HTML Settings</source>
        <translation>Configurações de HTML</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>Configurações de CSV</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>Configurações de imagem</translation>
    </message>
    <message>
        <source>Pages Settings</source>
        <translation>Configurações do Pages</translation>
    </message>
    <message>
        <source>Keynote Settings</source>
        <translation>Configurações do Keynote</translation>
    </message>
    <message>
        <source>Numbers Settings</source>
        <translation>Configurações do Numbers</translation>
    </message>
    <message>
        <source>Select cover</source>
        <translation>Selecionar capa</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Selecionar cor</translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation>Nome de saída</translation>
    </message>
    <message>
        <source>Type a name for the PDF.</source>
        <translation>Digite um nome para o PDF.</translation>
    </message>
    <message>
        <source>The name cannot hold &quot;/&quot;: the PDF is made in the output folder.</source>
        <translation>O nome não pode conter &quot;/&quot;: o PDF é criado na pasta de saída.</translation>
    </message>
    <message>
        <source>The name cannot be only dots and blanks.</source>
        <translation>O nome não pode ter apenas pontos e espaços.</translation>
    </message>
</context>
<context>
    <name>DesktopOpener</name>
    <message>
        <source>No application could be started to open this location. You can find it here:
%1</source>
        <translation>Não foi possível iniciar nenhum aplicativo para abrir este local. Ele fica aqui:
%1</translation>
    </message>
    <message>
        <source>No web browser could be started for this address. Copy it into a browser to open it:
%1</source>
        <translation>Não foi possível iniciar um navegador para este endereço. Copie-o em um navegador para abri-lo:
%1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Aviso</translation>
    </message>
</context>
<context>
    <name>DocquillMainWidget</name>
    <message>
        <source>MainWindow</source>
        <translation>Janela principal</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Conversor</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Criador</translation>
    </message>
    <message>
        <source>Drag PDF, Image files here</source>
        <translation>Arraste arquivos PDF e de imagem para cá</translation>
    </message>
    <message>
        <source>Drag Word, PowerPoint, image etc. files here</source>
        <translation>Arraste arquivos do Word, PowerPoint, imagens etc. para cá</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Baixando o módulo de OCR...</translation>
    </message>
    <message>
        <source>The downloaded OCR module is damaged and was not installed. Please try again.</source>
        <translation>O módulo de OCR baixado está danificado e não foi instalado. Tente novamente.</translation>
    </message>
    <message>
        <source>The OCR module could not be downloaded: %1</source>
        <translation>Não foi possível baixar o módulo de OCR: %1</translation>
    </message>
</context>
<context>
    <name>Downloading</name>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Baixando o módulo de OCR...</translation>
    </message>
</context>
<context>
    <name>EnterPassword</name>
    <message>
        <source>Password</source>
        <translation>Senha</translation>
    </message>
    <message>
        <source>Print password</source>
        <translation>Digite a senha</translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation>Senha incorreta</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Aplicar a todos</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open password</source>
        <translation>Senha de abertura</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>Não é possível abrir o arquivo.</translation>
    </message>
</context>
<context>
    <name>FileItemWidget</name>
    <message>
        <source>All Pages</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Intervalo</translation>
    </message>
    <message>
        <source>e.g.(1,3,4-7)</source>
        <translation>ex.: 1,3,4-7</translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation>%1 páginas</translation>
    </message>
    <message>
        <source>%1 Page</source>
        <translation>%1 página</translation>
    </message>
    <message>
        <source>Skipped: the file is locked. Click its icon and enter its password to convert it.</source>
        <translation>Ignorado: o arquivo está bloqueado. Clique no ícone dele e digite a senha para convertê-lo.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page or a range of pages such as 4-7.</source>
        <translation>&quot;%1&quot; não é uma página nem um intervalo de páginas como 4-7.</translation>
    </message>
    <message>
        <source>There is no page %1 in this document.</source>
        <translation>Este documento não tem a página %1.</translation>
    </message>
    <message>
        <source>The range %1 ends before it starts.</source>
        <translation>O intervalo %1 termina antes de começar.</translation>
    </message>
    <message>
        <source>Type the pages to convert, for example 1,3,4-7.</source>
        <translation>Digite as páginas a converter, por exemplo 1,3,4-7.</translation>
    </message>
</context>
<context>
    <name>FileListWindow</name>
    <message>
        <source>Merge</source>
        <translation>Mesclar</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Pasta de saída</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Converter</translation>
    </message>
    <message>
        <source>Encrypt</source>
        <translation>Criptografar</translation>
    </message>
    <message>
        <source>Decrypt</source>
        <translation>Descriptografar</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Criar</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Compactar</translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Selecionar pasta de saída</translation>
    </message>
    <message>
        <source>Select Files</source>
        <translation>Selecionar arquivos</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a password protected PDF file.</source>
        <translation>&quot;%1&quot; não é um arquivo PDF protegido por senha.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>uma pasta, não um arquivo</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>o arquivo está vazio</translation>
    </message>
    <message>
        <source>the file is damaged</source>
        <translation>o arquivo está danificado</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>o arquivo não existe</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>não foi possível ler o arquivo</translation>
    </message>
    <message>
        <source>this page does not take this kind of file</source>
        <translation>esta página não aceita este tipo de arquivo</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Estes arquivos não foram adicionados:</translation>
    </message>
    <message>
        <source>Nothing was started. Correct these files first:</source>
        <translation>Nada foi iniciado. Corrija primeiro estes arquivos:</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>e mais %1.</translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>Error network, please check your connection!</source>
        <translation>Erro de rede. Verifique sua conexão.</translation>
    </message>
    <message>
        <source>The program gets crashed.</source>
        <translation>O programa parou de funcionar.</translation>
    </message>
    <message>
        <source>Please send the crash report to the developer. (%1)</source>
        <translation>Envie o relatório de falhas ao desenvolvedor. (%1)</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Informação</translation>
    </message>
    <message>
        <source>is currently the newest version available.</source>
        <translation>é a versão mais recente disponível.</translation>
    </message>
    <message>
        <source>Requests are too frequent, please try again later.</source>
        <translation>Muitas solicitações em pouco tempo. Tente novamente mais tarde.</translation>
    </message>
    <message>
        <source>The advanced OCR (Optical Character Recognition) module can recognize text from scanned PDF or image file, convert them to copyable and searchable PDF file.
Downloading this OCR module now?</source>
        <translation>O módulo avançado de OCR (Reconhecimento Óptico de Caracteres) reconhece o texto de arquivos PDF digitalizados ou de imagens e os converte em arquivos PDF pesquisáveis, com texto que pode ser copiado.
Deseja baixar o módulo de OCR agora?</translation>
    </message>
    <message>
        <source>The folder path is read-only. Pleas correct or try again.</source>
        <translation>A pasta indicada é somente leitura. Corrija o caminho ou tente novamente.</translation>
    </message>
    <message>
        <source>The selected languages are not supported</source>
        <translation>Os idiomas selecionados não são compatíveis</translation>
    </message>
    <message>
        <source>Unable to save the file</source>
        <translation>Não foi possível salvar o arquivo</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Sucesso</translation>
    </message>
    <message>
        <source>The input file does not exist or has been moved</source>
        <translation>O arquivo de entrada não existe ou foi movido</translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>Senha necessária ou incorreta.</translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation>Memória insuficiente.</translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation>Erro desconhecido durante a conversão.</translation>
    </message>
    <message>
        <source>Unknown error in processing PDF.</source>
        <translation>Erro desconhecido ao processar o PDF.</translation>
    </message>
    <message>
        <source>File not found or could not be opened.</source>
        <translation>O arquivo não foi encontrado ou não pôde ser aberto.</translation>
    </message>
    <message>
        <source>File not in PDF format or corrupted.</source>
        <translation>O arquivo não está no formato PDF ou está corrompido.</translation>
    </message>
    <message>
        <source>Unsupported security scheme.</source>
        <translation>Esquema de segurança não suportado.</translation>
    </message>
    <message>
        <source>Page not found or content error.</source>
        <translation>Página não encontrada ou erro no conteúdo.</translation>
    </message>
    <message>
        <source>Conversion task canceled.</source>
        <translation>Conversão cancelada.</translation>
    </message>
    <message>
        <source>Folder compression failed.</source>
        <translation>Falha ao compactar a pasta.</translation>
    </message>
    <message>
        <source>No tables found in the source file.</source>
        <translation>Nenhuma tabela foi encontrada no arquivo de origem.</translation>
    </message>
    <message>
        <source>Failed to call OCR regnition.</source>
        <translation>Falha ao executar o reconhecimento de texto (OCR).</translation>
    </message>
    <message>
        <source>Currently executing conversion task.</source>
        <translation>Há uma conversão em andamento.</translation>
    </message>
    <message>
        <source>Failure.</source>
        <translation>Falha.</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>Erro desconhecido.</translation>
    </message>
    <message>
        <source>File protected by password.</source>
        <translation>Arquivo protegido por senha.</translation>
    </message>
    <message>
        <source>Invalid arguments.</source>
        <translation>Argumentos inválidos.</translation>
    </message>
    <message>
        <source>Unable to open the source file.</source>
        <translation>Não foi possível abrir o arquivo de origem.</translation>
    </message>
    <message>
        <source>Unsupported file format.</source>
        <translation>Formato de arquivo não suportado.</translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation>Arquivo de origem não encontrado.</translation>
    </message>
    <message>
        <source>Output directory not found.</source>
        <translation>Pasta de saída não encontrada.</translation>
    </message>
    <message>
        <source>The requested worksheet was not found.</source>
        <translation>A planilha solicitada não foi encontrada.</translation>
    </message>
    <message>
        <source>Unable to use an empty worksheet.</source>
        <translation>Não é possível usar uma planilha vazia.</translation>
    </message>
    <message>
        <source>Unable to modify or open a protected PDF.</source>
        <translation>Não é possível abrir ou modificar um PDF protegido.</translation>
    </message>
    <message>
        <source>Raised when there is a problem calling an Office application.</source>
        <translation>Ocorreu um problema ao acionar um aplicativo do Office.</translation>
    </message>
    <message>
        <source>There are no printers installed, so Office conversion can not proceed.</source>
        <translation>Não há impressoras instaladas, por isso a conversão do Office não pode continuar.</translation>
    </message>
    <message>
        <source>The output folder does not exist or cannot be written to.</source>
        <translation>A pasta de saída não existe ou não permite gravação.</translation>
    </message>
    <message>
        <source>Converting to %1 needs Apple&apos;s %1 application, which does not run on Linux. Choose &quot;%2&quot; instead: it makes a document in %3 format, which %1 opens too.</source>
        <translation>A conversão para %1 requer o aplicativo %1 da Apple, que não funciona no Linux. Escolha &quot;%2&quot;: ele gera um documento no formato %3, que o %1 também abre.</translation>
    </message>
    <message>
        <source>The picture cannot be read: the file is damaged or is not a picture.</source>
        <translation>Não é possível ler a imagem: o arquivo está danificado ou não é uma imagem.</translation>
    </message>
    <message>
        <source>The output name is not a file name: it is empty or holds a &quot;/&quot;.</source>
        <translation>O nome de saída não é um nome de arquivo: está vazio ou contém &quot;/&quot;.</translation>
    </message>
    <message>
        <source>The file needs more memory than %1 and was stopped.</source>
        <translation>O arquivo precisa de mais de %1 de memória e foi interrompido.</translation>
    </message>
    <message>
        <source>The file took too long to read and was stopped.</source>
        <translation>A leitura do arquivo demorou demais e foi interrompida.</translation>
    </message>
    <message>
        <source>The text of a scanned page could not be recognised with confidence in any of the available languages.</source>
        <translation>O texto de uma página digitalizada não pôde ser reconhecido com segurança em nenhum dos idiomas disponíveis.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>O disco está cheio.</translation>
    </message>
    <message>
        <source>The document cannot be read: the file is damaged or is not a document of its type.</source>
        <translation>Não é possível ler o documento: o arquivo está danificado ou não é um documento do seu tipo.</translation>
    </message>
    <message>
        <source>The pages hold no text, only pictures such as scans. Turn on &quot;Recognize text&quot; in the options to read the text in them.</source>
        <translation>As páginas não contêm texto, apenas imagens, como digitalizações. Ative &quot;Reconhecer texto&quot; nas opções para ler o texto delas.</translation>
    </message>
</context>
<context>
    <name>InstallModule</name>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>Não é possível gravar na pasta %1.</translation>
    </message>
    <message>
        <source>The unzip tool could not be started.</source>
        <translation>Não foi possível iniciar a ferramenta unzip.</translation>
    </message>
    <message>
        <source>Unpacking the package took too long.</source>
        <translation>A descompactação do pacote demorou demais.</translation>
    </message>
    <message>
        <source>The package is damaged and could not be unpacked.</source>
        <translation>O pacote está danificado e não pôde ser descompactado.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>1 file is still being converted. Stop and quit?</source>
        <translation>1 arquivo ainda está sendo convertido. Parar e sair?</translation>
    </message>
    <message>
        <source>%1 files are still being converted. Stop and quit?</source>
        <translation>%1 arquivos ainda estão sendo convertidos. Parar e sair?</translation>
    </message>
</context>
<context>
    <name>MergeWidget</name>
    <message>
        <source>Creating PDF File...</source>
        <translation>Criando o arquivo PDF...</translation>
    </message>
    <message>
        <source>PDF Creation Completed</source>
        <translation>Criação do PDF concluída</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The merge is failed</source>
        <translation>Não foi possível mesclar os arquivos</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Mostrar na pasta</translation>
    </message>
    <message>
        <source>%1 of %2 files are in the merged PDF.</source>
        <translation>%1 de %2 arquivos estão no PDF mesclado.</translation>
    </message>
</context>
<context>
    <name>ModuleDownload</name>
    <message>
        <source>The server answered with status %1.</source>
        <translation>O servidor respondeu com o estado %1.</translation>
    </message>
    <message>
        <source>The server sent the package encoded (%1).</source>
        <translation>O servidor enviou o pacote codificado (%1).</translation>
    </message>
    <message>
        <source>Only %1 of %2 bytes arrived.</source>
        <translation>Chegaram apenas %1 de %2 bytes.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Não é possível gravar %1: %2</translation>
    </message>
</context>
<context>
    <name>OptionSetting</name>
    <message>
        <source>Setting</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>Configurações de layout</translation>
    </message>
    <message>
        <source>Retain Flowing Text</source>
        <translation>Manter o fluxo do texto</translation>
    </message>
    <message>
        <source>Retain Page Layout</source>
        <translation>Manter o layout da página</translation>
    </message>
    <message>
        <source>Excel WorkSheet Settings</source>
        <translation>Configurações de planilha do Excel</translation>
    </message>
    <message>
        <source>All Content</source>
        <translation>Todo o conteúdo</translation>
    </message>
    <message>
        <source>Only Table</source>
        <translation>Só tabelas</translation>
    </message>
    <message>
        <source>Create Sheet for each Table</source>
        <translation>Uma planilha por tabela</translation>
    </message>
    <message>
        <source>Create Sheet for each Page</source>
        <translation>Uma planilha por página</translation>
    </message>
    <message>
        <source>PDF/A Standards:</source>
        <translation>Padrões PDF/A:</translation>
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
        <translation>Configurações de imagem</translation>
    </message>
    <message>
        <source>Each page of the PDF as separate images</source>
        <translation>Cada página do PDF como uma imagem separada</translation>
    </message>
    <message>
        <source>Image scaling</source>
        <translation>Escala da imagem</translation>
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
        <translation>Unir todas as páginas em uma única imagem</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>Largura da borda</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>Cor da borda</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>Configurações de CSV</translation>
    </message>
    <message>
        <source>Create a single sheet for file</source>
        <translation>Criar uma única planilha por arquivo</translation>
    </message>
    <message>
        <source>Create sheet for each table</source>
        <translation>Uma planilha por tabela</translation>
    </message>
    <message>
        <source>Book Cover</source>
        <translation>Capa do livro</translation>
    </message>
    <message>
        <source>No book cover</source>
        <translation>Sem capa</translation>
    </message>
    <message>
        <source>Add a book cover</source>
        <translation>Adicionar uma capa</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Display Settings</source>
        <translation>Configurações de exibição</translation>
    </message>
    <message>
        <source>Page Options:</source>
        <translation>Opções de página:</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>Página única</translation>
    </message>
    <message>
        <source>Single Page with Outlines</source>
        <translation>Página única com marcadores</translation>
    </message>
    <message>
        <source>Multiple Pages</source>
        <translation>Várias páginas</translation>
    </message>
    <message>
        <source>Multiple Pages with Outlines</source>
        <translation>Várias páginas com marcadores</translation>
    </message>
    <message>
        <source>OCR Settings</source>
        <translation>Configurações de OCR</translation>
    </message>
    <message>
        <source>Recognize text</source>
        <translation>Reconhecer texto</translation>
    </message>
    <message>
        <source>Language Option</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Aplicar a todos</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
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
        <translation>Sobre</translation>
    </message>
    <message>
        <source>More Info</source>
        <translation>Saiba mais</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versão %1</translation>
    </message>
    <message>
        <source>Copyright %1 %2 Tarvello. All rights reserved.</source>
        <translation>Copyright %1 %2 Tarvello. Todos os direitos reservados.</translation>
    </message>
</context>
<context>
    <name>QNetWorkProcess</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Não foi possível ler as informações de atualização.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Atualização de software</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>A new version of %1 is available! <byte value="xd"/>
%1 %2 is now available---you have %3. Would you like to download it now?</source>
        <translation>Uma nova versão do %1 está disponível! <byte value="xd"/>
O %1 %2 já está disponível (você tem a versão %3). Deseja baixar agora?</translation>
    </message>
</context>
</TS>
