<?php

class DataList
{
	// this class generates the data table ...
	// it assumes that the following functions are already defined:
		// delete()
		// update()
		// insert()
		// form()
		// >>> all the above functions change for every table
		// >>> the calling script should include the correct versions of them.
		// NavMenus()
		// sql()
	// the class also assumes that the following files already exist:
		// print.gif
		// delete.gif
		// update.gif
		// search.gif
		// cancel_search.gif
		// insert.gif
		// asc.gif
		// desc.gif
		// scroll_bar.gif
		// scroll_box.gif
		// scroll_next.gif
		// scroll_previous.gif
	// the class assumes the following CSS classes have been defined:
		// Error
		// TableTitle
		// TableHeader
		// TextBox
		// TableBody
		// TableBodyNumeric
		// TableBodySelectedNumeric
		// TableBodySelected
		// TableFooter
		// SelectedOption
	
	var $Query,
		$FilterQuery,             // the filter page's query: its columns are the fields a filter may name
		$ColWidth,                // array of field widths
		$DataHeight,
		$AllowSelection,
		$AllowDelete,
		$AllowInsert,
		$AllowUpdate,
		$AllowFilters,
		$AllowSavingFilters,
		$AllowSorting,
		$AllowNavigation,
		$AllowPrinting,
		$HideTableView,
		$AllowCSV,
		$CSVSeparator,
		$QuickSearch,             // 0 to 3
		$RecordsPerPage,
		$ScriptFileName,
		$RedirectAfterInsert,
		$TableTitle,
		$PrimaryKey,
		// Templates variables
		$Template,
		$SelectedTemplate,
		$ShowTableHeader,
		$ShowRecordSlots,
		// End of templates variables
		$HTML;                    // generated html after calling Render()
	
	function DataList()     // Constructor function
	{
		$this->DataHeight = 150;
		
		$this->AllowSelection = 1;
		$this->AllowDelete = 1;
		$this->AllowInsert = 1;
		$this->AllowUpdate = 1;
		$this->AllowFilters = 1;
		$this->AllowNavigation = 1;
		$this->AllowPrinting = 1;
		$this->HideTableView = 0;
		$this->QuickSearch = 0;
		$this->AllowCSV = 0;
		$this->CSVSeparator = ",";
		$this->HighlightColor = '#FFE4E1';  // default highlight color
		
		$this->RecordsPerPage = 10;
		$this->Template = '';
		$this->HTML = "";
	}
	
	function __construct()
	{
		$this->DataList();
	}
	
	// The columns of the select list of a statement, each as its expression
	// and its caption (the alias after " as ", without its quotes). Quoted
	// texts and parentheses are passed over whole, so that a comma, an " as "
	// or a " from " inside a caption or an expression does not split it.
	function QueryColumns($query)
	{
		$columns = array();
		$start = strlen("select ");
		$as = -1;
		$depth = 0;
		$length = strlen($query);
		for($i = $start; $i <= $length; $i++)
		{
			if($i < $length && $query[$i] == "'")
			{
				// to the closing quote; a backslash takes the next character with it
				for($i++; $i < $length && $query[$i] != "'"; $i++)
				{
					if($query[$i] == "\\")
					{
						$i++;
					}
				}
			}
			elseif($i < $length && $query[$i] == "(")
			{
				$depth++;
			}
			elseif($i < $length && $query[$i] == ")")
			{
				$depth--;
			}
			elseif($depth == 0 && substr($query, $i, 4) == " as ")
			{
				$as = $i;
			}
			elseif($depth == 0 && ($i == $length || $query[$i] == "," || substr($query, $i, 6) == " from "))
			{
				if($as < 0)
				{
					$columns[] = array(trim(substr($query, $start, $i - $start)), "");
				}
				else
				{
					$caption = trim(substr($query, $as + 4, $i - $as - 4));
					if(substr($caption, 0, 1) == "'")
					{
						$caption = stripslashes(substr($caption, 1, -1));
					}
					$columns[] = array(trim(substr($query, $start, $as - $start)), $caption);
				}
				if($i == $length || $query[$i] != ",")
				{
					break;
				}
				$start = $i + 1;
				$as = -1;
			}
		}
		return $columns;
	}
	
	// The character set of each column of a statement, by its expression, as
	// the server reads it: asked only for a text that holds a character
	// reference, and known only of a statement with a record
	function QueryCharsets($query, $text)
	{
		$columns = $this->QueryColumns($query);
		$charsets = array();
		$probe = "";
		foreach($columns as $column)
		{
			$charsets[$column[0]] = null;
			$probe .= ($probe == "" ? "" : ", ") . "charset(" . $column[0] . ")";
		}
		if($probe == "" || strpos($text, "&#") === false)
		{
			return $charsets;
		}
		$probe = eregi_replace("^select .* from ", "select $probe from ", $query);
		$row = mysql_fetch_row(sql(eregi_replace(" order by .*$", "", $probe) . " limit 1"));
		for($i = 0; $row && $i < count($columns); $i++)
		{
			$charsets[$columns[$i][0]] = $row[$i];
		}
		return $charsets;
	}
	
	// str_replace on the statement's own words, in any case: quoted texts
	// (the captions among them) are kept as written.
	function QueryReplace($search, $replace, $query)
	{
		$result = "";
		$length = strlen($query);
		for($i = 0; $i < $length; $i++)
		{
			if($query[$i] == "'")
			{
				// to the closing quote; a backslash takes the next character with it
				for($start = $i++; $i < $length && $query[$i] != "'"; $i++)
				{
					if($query[$i] == "\\")
					{
						$i++;
					}
				}
				$result .= substr($query, $start, $i - $start + 1);
			}
			elseif(strcasecmp(substr($query, $i, strlen($search)), $search) == 0)
			{
				$result .= $replace;
				$i += strlen($search) - 1;
			}
			else
			{
				$result .= $query[$i];
			}
		}
		return $result;
	}
	
	// whether the statement's own words hold $search, in any case: a caption
	// that holds it does not count.
	function QueryHas($search, $query)
	{
		return $this->QueryReplace($search, "", $query) != $query;
	}
	
	function Render()
	{
	// get post and get variables
		global $HTTP_SERVER_VARS, $HTTP_GET_VARS, $HTTP_POST_VARS, $_SERVER, $Translation;
		
		$FiltersPerGroup = 4;
		
		if($HTTP_SERVER_VARS["REQUEST_METHOD"] == "GET")
		{
			$SortField = $HTTP_GET_VARS["SortField"];
			$SortDirection = $HTTP_GET_VARS["SortDirection"];
			$FirstRecord = $HTTP_GET_VARS["FirstRecord"];
			$ScrollUp_y = $HTTP_GET_VARS["ScrollUp_y"];
			$ScrollDn_y = $HTTP_GET_VARS["ScrollDn_y"];
			$Previous_x = $HTTP_GET_VARS["Previous_x"];
			$Next_x = $HTTP_GET_VARS["Next_x"];
			$Filter_x = $HTTP_GET_VARS["Filter_x"];
			$SaveFilter_x = $HTTP_GET_VARS["SaveFilter_x"];
			$NoFilter_x = $HTTP_GET_VARS["NoFilter_x"];
			$SearchString = $HTTP_GET_VARS["SearchString"];
			$CSV_x = $HTTP_GET_VARS["CSV_x"];
			$FilterAnd = $HTTP_GET_VARS["FilterAnd"];
			$FilterField = $HTTP_GET_VARS["FilterField"];
			$FilterOperator = $HTTP_GET_VARS["FilterOperator"];
			$FilterValue = $HTTP_GET_VARS["FilterValue"];
			$Print_x = $HTTP_GET_VARS["Print_x"];
			$SelectedID = $HTTP_GET_VARS["SelectedID"];
			$insert_x = $HTTP_GET_VARS["insert_x"];
			$update_x = $HTTP_GET_VARS["update_x"];
			$delete_x = $HTTP_GET_VARS["delete_x"];
			$deselect_x = $HTTP_GET_VARS["deselect_x"];
		}
		else
		{
			$SortField = $HTTP_POST_VARS["SortField"];
			$SortDirection = $HTTP_POST_VARS["SortDirection"];
			$FirstRecord = $HTTP_POST_VARS["FirstRecord"];
			$ScrollUp_y = $HTTP_POST_VARS["ScrollUp_y"];
			$ScrollDn_y = $HTTP_POST_VARS["ScrollDn_y"];
			$Previous_x = $HTTP_POST_VARS["Previous_x"];
			$Next_x = $HTTP_POST_VARS["Next_x"];
			$Filter_x = $HTTP_POST_VARS["Filter_x"];
			$SaveFilter_x = $HTTP_POST_VARS["SaveFilter_x"];
			$NoFilter_x = $HTTP_POST_VARS["NoFilter_x"];
			$SearchString = $HTTP_POST_VARS["SearchString"];
			$CSV_x = $HTTP_POST_VARS["CSV_x"];
			$FilterAnd = $HTTP_POST_VARS["FilterAnd"];
			$FilterField = $HTTP_POST_VARS["FilterField"];
			$FilterOperator = $HTTP_POST_VARS["FilterOperator"];
			$FilterValue = $HTTP_POST_VARS["FilterValue"];
			$Print_x = $HTTP_POST_VARS["Print_x"];
			$SelectedID = $HTTP_POST_VARS["SelectedID"];
			$insert_x = $HTTP_POST_VARS["insert_x"];
			$update_x = $HTTP_POST_VARS["update_x"];
			$delete_x = $HTTP_POST_VARS["delete_x"];
			$deselect_x = $HTTP_POST_VARS["deselect_x"];
		}
		
	// insure authenticity of user inputs:
		if(!$this->AllowSelection)
		{
			$insert_x = "";
			$update_x = "";
			$delete_x = "";
			$deselect_x = "";
		}
		if(!$this->AllowDelete)
		{
			$delete_x = "";
		}
		if(!$this->AllowInsert)
		{
			$insert_x = "";
		}
		if(!$this->AllowUpdate)
		{
			$update_x = "";
		}
		if(!$this->AllowFilters)
		{
			$Filter_x = "";
		}
		if(!$this->AllowPrinting)
		{
			$Print_x = "";
		}
		if(!$this->QuickSearch)
		{
			$SearchString = "";
		}
		if(!$this->AllowCSV)
		{
			$CSV_x = "";
		}
		
		// a link or a reload of the page must never change data
		if($HTTP_SERVER_VARS["REQUEST_METHOD"] == "GET")
		{
			$insert_x = "";
			$update_x = "";
			$delete_x = "";
		}
		
		// nor a form on another site: a request that names the page it comes from (Origin, else Referer) must come from this host
		$RequestSource = ($HTTP_SERVER_VARS["HTTP_ORIGIN"] != "" ? $HTTP_SERVER_VARS["HTTP_ORIGIN"] : $HTTP_SERVER_VARS["HTTP_REFERER"]);
		if($RequestSource != "")
		{
			$SourcePort = parse_url($RequestSource, PHP_URL_PORT);
			if(strtolower(parse_url($RequestSource, PHP_URL_HOST) . ($SourcePort ? ":$SourcePort" : "")) !== strtolower((string)$HTTP_SERVER_VARS["HTTP_HOST"]))
			{
				$insert_x = "";
				$update_x = "";
				$delete_x = "";
				$SaveFilter_x = "";
			}
		}
		
		// sort column: a column number, or the table.field form of a date column
		if(!is_string($SortField) || !preg_match('/^([1-9][0-9]*|[A-Za-z0-9_]+\.[A-Za-z0-9_]+)$/', $SortField))
		{
			$SortField = "";
		}
		if($SortDirection !== "asc" && $SortDirection !== "desc")
		{
			$SortDirection = "";
		}
		$FirstRecord = intval($FirstRecord);
		if($ScrollUp_y != "")
		{
			$ScrollUp_y = intval($ScrollUp_y);
		}
		if($ScrollDn_y != "")
		{
			$ScrollDn_y = intval($ScrollDn_y);
		}
		// an image button pressed from the keyboard posts 0 as its position
		if($Print_x != "")
		{
			$Print_x = 1;
		}
		if(!is_string($SearchString))
		{
			$SearchString = "";
		}
		if(!is_string($SelectedID))
		{
			$SelectedID = "";
		}
		
		// filters: only the joins, fields and operators that the filter page offers
		$FilterFields = array();
		if($this->FilterQuery != "")
		{
			foreach($this->QueryColumns($this->FilterQuery) as $column)
			{
				$FilterFields[] = $column[0];
			}
		}
		if(!is_array($FilterAnd))
		{
			$FilterAnd = array();
		}
		if(!is_array($FilterField))
		{
			$FilterField = array();
		}
		if(!is_array($FilterOperator))
		{
			$FilterOperator = array();
		}
		if(!is_array($FilterValue))
		{
			$FilterValue = array();
		}
		for($i = 1; $i <= (20 * $FiltersPerGroup); $i++) // Number of filters allowed
		{
			if(!isset($FilterAnd[$i]) || ($FilterAnd[$i] !== "and" && $FilterAnd[$i] !== "or"))
			{
				$FilterAnd[$i] = "";
			}
			if(!isset($FilterField[$i]) || !in_array($FilterField[$i], $FilterFields, true))
			{
				$FilterField[$i] = "";
			}
			if(!isset($FilterOperator[$i]) || !in_array($FilterOperator[$i], array("<=>", "!=", ">", ">=", "<", "<=", "like", "not like"), true))
			{
				$FilterOperator[$i] = "";
			}
			if(!isset($FilterValue[$i]) || !is_string($FilterValue[$i]))
			{
				$FilterValue[$i] = "";
			}
		}
		
		// a page holds at least one record, the scroll track at least one pixel
		if($this->RecordsPerPage < 1)
		{
			$this->RecordsPerPage = 1;
		}
		if($this->DataHeight < 1)
		{
			$this->DataHeight = 1;
		}
		
	// retouch query to avoid case matching problems
		$this->Query = $this->QueryReplace(" WHERE ", " where ", $this->Query);
		$this->Query = $this->QueryReplace("SELECT ", "select ", $this->Query);
		$this->Query = $this->QueryReplace(" FROM ", " from ", $this->Query);
		$this->Query = $this->QueryReplace(" AS ", " as ", $this->Query);
		
		$this->HTML .= "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">";
		$this->HTML .= "<form method=post name=myform action='$this->ScriptFileName'>";
		
	// handle user commands ...
		if($deselect_x != "")
		{
			$SelectedID = "";
		}
		
		elseif($insert_x != "")
		{
			$SelectedID = insert();
			
			// send the browser on at once, so that reloading the page cannot insert the record twice
			if($this->RedirectAfterInsert != "")
			{
				echo "<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0;url=" . str_replace("#ID#", urlencode($SelectedID), $this->RedirectAfterInsert) . "\">";
				exit;
			}
			else
			{
				$filtersGET = "";
				for($i = 1; $i <= (20 * $FiltersPerGroup); $i++) // Number of filters allowed
				{
					if($FilterField[$i] != "" && $FilterOperator[$i] != "" && $FilterValue[$i] != "")
					{
						$filtersGET .= "&FilterAnd[$i]=" . urlencode($FilterAnd[$i]) . "&FilterField[$i]=" . urlencode($FilterField[$i]) . "&FilterOperator[$i]=" . urlencode($FilterOperator[$i]) . "&FilterValue[$i]=" . urlencode($FilterValue[$i]);
					}
				}
				$this->HTML .= "<META HTTP-EQUIV='Refresh' CONTENT='0;url=" . $this->ScriptFileName . "?SortField=" . urlencode($SortField) . "&SortDirection=" . urlencode($SortDirection) . "&FirstRecord=" . urlencode($FirstRecord) . "&SelectedID=" . urlencode($SelectedID) . $filtersGET . "'>";
			}
		}
		
		elseif($delete_x != "")
		{
			$d = delete($SelectedID);
			if($d)
			{
				$this->HTML .= "<div class=Error>ERROR: $d</div>";
			}
			else
			{
				$SelectedID = "";
			}
		}
		
		elseif($update_x != "")
		{
			update($SelectedID);
		}
		
		elseif($Print_x != "")
		{
			// the printer friendly view lists every record, without selection
			$this->AllowNavigation = 0;
			$this->AllowSelection = 0;
		}
		
		elseif($SaveFilter_x != "" && $this->AllowSavingFilters)
		{
			$this->HTML .= "<table width=550 border=0 align=center><tr><td class=TableTitle>" . $Translation["saved filters title"] . "</td></tr>";
			$this->HTML .= "\n\t<tr><td class=TableHeader>" . $Translation["saved filters instructions"] . "</td></tr>";
			$this->HTML .= "\n\t<tr><td class=TableHeader><textarea cols=60 rows=12 wrap=off>";
			
			$SourceCode  = "<html><body>\n";
			$SourceCode .= "<form method=post action=" . htmlspecialchars($HTTP_SERVER_VARS["HTTP_REFERER"], ENT_QUOTES, 'windows-1252') . ">\n";
			for($i = 1; $i <= (20 * $FiltersPerGroup); $i++) // Number of filters allowed
			{
				if($i % $FiltersPerGroup == 1 && $i != 1 && $FilterAnd[$i] != "")
				{
					$SourceCode .= "\t<input name=FilterAnd[$i] value='" . htmlspecialchars($FilterAnd[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
				}
				if($FilterField[$i] != "" && $FilterOperator[$i] != "" && $FilterValue[$i] != "")
				{
					if(!strstr($SourceCode, "\t<input name=FilterAnd[$i] value="))
					{
						$SourceCode .= "\t<input name=FilterAnd[$i] value='" . htmlspecialchars($FilterAnd[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
					}
					$SourceCode .= "\t<input name=FilterField[$i] value='" . htmlspecialchars($FilterField[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
					$SourceCode .= "\t<input name=FilterOperator[$i] value='" . htmlspecialchars($FilterOperator[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
					$SourceCode .= "\t<input name=FilterValue[$i] value='" . htmlspecialchars($FilterValue[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n\n";
				}
			}
			$SourceCode .= "\n\t<input type=submit value=\"Show Filtered Data\">\n";
			$SourceCode .= "</form>\n</body></html>";
			
			// the text area shows the code as text
			$this->HTML .= htmlspecialchars($SourceCode, ENT_QUOTES, 'windows-1252');
			$this->HTML .= "</textarea>";
			$this->HTML .= "<br><input type=submit value=\"" . $Translation["hide code"] . "\"></td></tr>";
			$this->HTML .= "\n\t</table>\n\n";
		}
		
		elseif($Filter_x != "")
		{
			global $SortFieldNumeric;
			
			$this->HTML .= "<table border=0 align=center><tr><td colspan=4 class=TableTitle>" . $Translation["filters"] . "</td></tr>";
			$this->HTML .= "\n\t<tr><td class=TableHeader></td><td class=TableHeader>" . $Translation["filtered field"] . "</td><td class=TableHeader>" . $Translation["comparison operator"] . "</td><td class=TableHeader>" . $Translation["comparison value"] . "</td></tr>";
			$this->HTML .= "\n\t<tr><td colspan=4 class=TableHeader></td></tr>";
			
			// field names and captions, as the select list of the query gives them
			$FieldNames = array("");
			$FieldCaptions = array("");
			foreach($this->QueryColumns($this->Query) as $column)
			{
				$FieldNames[] = $column[0];
				$FieldCaptions[] = $column[1];
			}
			
			for($i = 1; $i <= (3 * $FiltersPerGroup); $i++) // Number of filters allowed
			{
				if($i % $FiltersPerGroup == 1 && $i != 1)
				{
					$objGroupAnd = new Combo;
					$objGroupAnd->ListItem = array($Translation["or"], $Translation["and"]);
					$objGroupAnd->ListData = array("or", "and");
					$objGroupAnd->SelectName = "FilterAnd[$i]";
					$objGroupAnd->SelectedData = $FilterAnd[$i];
					$objGroupAnd->Render();
					$this->HTML .= "\n\t<tr><td colspan=4 class=TableHeader></td></tr>";
					$this->HTML .= "\n\t<tr><td colspan=4 align=center>" . $objGroupAnd->HTML . "</td></tr>";
					$this->HTML .= "\n\t<tr><td colspan=4 class=TableHeader></td></tr>";
				}
				$this->HTML .= "\n\t<tr><td class=TableHeader style='text-align:left;'>&nbsp;" . $Translation["filter"] . sprintf("%02d", $i) . " ";
				if($i % $FiltersPerGroup != 1)
				{
					$objAnd = new Combo;
					$objAnd->ListItem = array($Translation["and"], $Translation["or"]);
					$objAnd->ListData = array("and", "or");
					$objAnd->SelectName = "FilterAnd[$i]";
					$objAnd->SelectedData = $FilterAnd[$i];
					$objAnd->Render();
					$this->HTML .= $objAnd->HTML;
				}
				$this->HTML .= "</td>";
				
				$objFields = new Combo;
				$objFields->ListItem = $FieldCaptions;
				$objFields->ListData = $FieldNames;
				$objFields->SelectName = "FilterField[$i]";
				$objFields->SelectedData = $FilterField[$i];
				$objFields->Render();
				$this->HTML .= "<td>" . $objFields->HTML . "</td>";
				
				$objOperators = new Combo;
				$objOperators->ListItem = array(" ", $Translation["equal to"], $Translation["not equal to"], $Translation["greater than"], $Translation["greater than or equal to"], $Translation["less than"], $Translation["less than or equal to"], $Translation["like"], $Translation["not like"]);
				$objOperators->ListData = array("", "<=>", "!=", ">", ">=", "<", "<=", "like", "not like");
				$objOperators->SelectName = "FilterOperator[$i]";
				$objOperators->SelectedData = $FilterOperator[$i];
				$objOperators->Render();
				$this->HTML .= "<td>" . $objOperators->HTML . "</td>";
				
				$this->HTML .= "<td><input size=25 type=text class=TextBox name=FilterValue[$i] value=\"" . HTMLEscape($FilterValue[$i]) . "\"></td></tr>";
			}
			
			$this->HTML .= "\n\t<tr><td colspan=4 class=TableHeader></td></tr>";
			$this->HTML .= "\n\t<tr><td colspan=4 align=right><input type=image src=applyFilters.gif alt='" . $Translation["apply filters"] . "'>";
			if($this->AllowSavingFilters)
			{
				$this->HTML .= " &nbsp; <input type=image src=save_search.gif alt='" . $Translation["save filters"] . "' name=SaveFilter>";
			}
			$this->HTML .= "</td></tr></table>";
			
			// applying the filters starts again at the first page, without selection
			if(is_numeric($SortField))
			{
				$this->HTML .= "<input name=SortField value='" . htmlspecialchars($SortField, ENT_QUOTES, 'windows-1252') . "' type=hidden>";
			}
			else
			{
				$this->HTML .= "<input name=SortField value='$SortFieldNumeric' type=hidden>";
			}
			$this->HTML .= "<input name=SortDirection type=hidden value='" . htmlspecialchars($SortDirection, ENT_QUOTES, 'windows-1252') . "'>";
			$this->HTML .= "<input name=FirstRecord type=hidden value='1'>";
			return;
		}
		
		elseif($NoFilter_x != "")
		{
			// clear all filters; the and/or choices stay
			for($i = 1; $i <= (20 * $FiltersPerGroup); $i++) // Number of filters allowed
			{
				$FilterField[$i] = "";
				$FilterOperator[$i] = "";
				$FilterValue[$i] = "";
			}
			$SearchString = "";
		}
		
		// the list page's own statement, before any request data enters it
		$QueryBase = $this->Query;
		$QueryColumns = $this->QueryColumns($QueryBase);
		
		// sorting: by the number of a shown column, or by the date column that the list page put in its place
		global $SortFieldNumeric;
		if(is_numeric($SortField) ? $SortField > count($QueryColumns) : $SortFieldNumeric == "")
		{
			$SortField = "";
		}
		
		// quick search: the text is looked for in every column of the select list
		if($SearchString != "")
		{
			if(!$this->QueryHas(" where ", $this->Query))
			{
				$this->Query .= " where (";
			}
			else
			{
				$this->Query .= " and (";
			}
			
			$SearchSQL = (get_magic_quotes_gpc() ? $SearchString : addslashes($SearchString));
			$SearchCharsets = $this->QueryCharsets($QueryBase, $SearchSQL);
			$query_modified_by_quicksearch = 0;
			for($j = 0; $j < count($QueryColumns); $j++)
			{
				$this->Query .= $QueryColumns[$j][0] . " like '%" . compat_server_text($SearchSQL, $SearchCharsets[$QueryColumns[$j][0]]) . "%' or ";
				$query_modified_by_quicksearch = 1;
			}
			if($query_modified_by_quicksearch)
			{
				$this->Query = substr($this->Query, 0, -3) . ") ";
			}
		}
		
	// set query filters
		$QueryHasWhere = 0;
		if($this->QueryHas(" where ", $this->Query))
		{
			$QueryHasWhere = 1;
		}
		$WhereNeedsClosing = 0;
		$FilterCharsets = $this->QueryCharsets($this->FilterQuery, implode("", $FilterValue));
		for($i = 1; $i <= (20 * $FiltersPerGroup); $i+=$FiltersPerGroup) // Number of filters allowed
		{
		// test current filter group
			$GroupHasFilters = 0;
			for($j = 0; $j < $FiltersPerGroup; $j++)
			{
				if($FilterField[$i+$j] != "" && $FilterOperator[$i+$j] != "" && $FilterValue[$i+$j] != "")
				{
					$GroupHasFilters = 1;
					break;
				}
			}
			
			if($GroupHasFilters)
			{
				if(!$this->QueryHas(" where ", $this->Query))
				{
					$this->Query .= " where (";
				}
				elseif($QueryHasWhere)
				{
					$this->Query .= " and (";
					$QueryHasWhere = 0;
				}
				
				// a group or slot after another one that has no join word of its own joins with "and"
				$this->Query .= " <FilterGroup> " . (($WhereNeedsClosing && $FilterAnd[$i] == "") ? "and" : $FilterAnd[$i]) . " (";
				$GroupItems = 0;
				for($j = 0; $j < $FiltersPerGroup; $j++)
				{
					if($FilterField[$i+$j] != "" && $FilterOperator[$i+$j] != "" && $FilterValue[$i+$j] != "")
					{
						$this->Query .= " <FilterItem> " . (($GroupItems && $FilterAnd[$i+$j] == "") ? "and" : $FilterAnd[$i+$j]) . " " . $FilterField[$i+$j] . " " . $FilterOperator[$i+$j] . " '" . compat_server_text(get_magic_quotes_gpc() ? $FilterValue[$i+$j] : addslashes($FilterValue[$i+$j]), $FilterCharsets[$FilterField[$i+$j]]) . "' </FilterItem>";
						$GroupItems = 1;
					}
				}
				$this->Query .= ") </FilterGroup>";
				$WhereNeedsClosing = 1;
			}
		}
		if($WhereNeedsClosing)
		{
			$this->Query .= ")";
		}
		
	// set query sort
		$QuerySort = "";
		if(!$this->QueryHas(" order by ", $QueryBase) && $SortField != "" && $this->AllowSorting)
		{
			$QuerySort = " order by $SortField $SortDirection";
		}
		
	// retouch query
		// what the search and the filters added to the list page's statement
		$QueryFilters = substr($this->Query, strlen($QueryBase));
		$QueryFilters = str_replace("( <FilterGroup> and ", "( ", $QueryFilters);
		$QueryFilters = str_replace("( <FilterGroup> or ", "( ", $QueryFilters);
		$QueryFilters = str_replace("( <FilterItem> and ", "( ", $QueryFilters);
		$QueryFilters = str_replace("( <FilterItem> or ", "( ", $QueryFilters);
		$QueryFilters = str_replace("<FilterGroup>", "", $QueryFilters);
		$QueryFilters = str_replace("</FilterGroup>", "", $QueryFilters);
		$QueryFilters = str_replace("<FilterItem>", "", $QueryFilters);
		$QueryFilters = str_replace("</FilterItem>", "", $QueryFilters);
		
		// the primary key is the last column of every row
		$this->Query = $QueryBase;
		if($this->PrimaryKey != "")
		{
			$this->Query = $this->QueryReplace(" from ", ", $this->PrimaryKey from ", $this->Query);
		}
		$this->Query .= $QueryFilters . $QuerySort;
		
	// and finally, execute the query ...
		$TempQuery = eregi_replace("^select .* from ", "select count(1) from ", $QueryBase);
		$TempQuery = eregi_replace(" order by .*$", "", $TempQuery) . $QueryFilters;
		$TempResult = mysql_fetch_row(sql($TempQuery));
		$RecordCount = $TempResult[0];
		
		$TempFResult = sql($this->Query . " limit 1");
		$FieldCount = mysql_num_fields($TempFResult) - 1;
		
		// columns that the list page builds as image or link html; every other value is shown as text
		$HTMLColumn = array();
		for($j = 0; $j < count($QueryColumns); $j++)
		{
			$HTMLColumn[$j] = (strstr($QueryColumns[$j][0], "concat('<img src=") || strstr($QueryColumns[$j][0], "concat('<a href="));
		}
		
		$this->HTML .= "<table cellspacing=1 cellpadding=0 border=0 align=center><tr>\n<td colspan=" . ($FieldCount + 1) . ">";
		$this->HTML .= "<table cellspacing=0 cellpadding=0 border=0><tr><td align=left><div class=TableTitle>" . $this->TableTitle . "</div>";
		
		if(!$this->HideTableView)
		{
			// display quick search box
			if(($this->QuickSearch == 1 || $this->QuickSearch == 2 || $this->QuickSearch == 3) && $Print_x == "")
			{
				if($this->QuickSearch == 1)
				{
					$QuickSearchAlign = "left";
				}
				elseif($this->QuickSearch == 2)
				{
					$QuickSearchAlign = "center";
				}
				else
				{
					$QuickSearchAlign = "right";
				}
				$this->HTML .= "<div class=TableBodySelected style='text-align:" . $QuickSearchAlign . ";'>";
				$this->HTML .= "<b>" . $this->QuickSearchText . "</b> <input type=text name=SearchString value='" . HTMLEscape($SearchString) . "' size=15 class=TextBox>";
				$this->HTML .= "<input align=top border=0 name=Search type=image vspace=2 hspace=2 src=qsearch.gif alt='" . $this->QuickSearchText . "'>";
				$this->HTML .= "</div>";
			}
			
			// display print icon
			if($this->AllowPrinting && $Print_x == "")
			{
				$this->HTML .= " <input type=image src=print.gif name=Print alt='" . $Translation["printer friendly view"] . "'>";
			}
			
			// display CSV icon
			if($this->AllowCSV && $Print_x == "")
			{
				$this->HTML .= " <input type=image src=csv.gif name=CSV alt='" . $Translation["save as csv"] . "'>";
			}
			
			// display filter icons
			if($this->AllowFilters && $Print_x == "")
			{
				$this->HTML .= " <input type=image src=search.gif name=Filter alt='" . $Translation["edit filters"] . "'> <input type=image src=cancel_search.gif name=NoFilter alt='" . $Translation["clear filters"] . "'> ";
			}
		}
		
		// display tables navigator menu
		if(!$Print_x) 
			$this->HTML .= " " . NavMenus();
		
		if(!$this->HideTableView)
		{
			$this->HTML .= "<br></td><td align=right valign=bottom></td></tr></table></td></tr>\n<tr>";
			
			// load the row templates
			$rowTemplate = "";
			$selrowTemplate = "";
			if($this->Template != "")
			{
				$rowTemplate = @implode("", (array)@file("./" . $this->Template));
				if(!$rowTemplate)
				{
					$rowTemplate = "";
					$selrowTemplate = "";
				}
				elseif($this->SelectedTemplate != "")
				{
					$selrowTemplate = @implode("", (array)@file("./" . $this->SelectedTemplate));
					if(!$selrowTemplate)
					{
						$selrowTemplate = "";
					}
				}
			}
			
			// display table headers
			global $SortFieldNumeric;
			if($rowTemplate == "" || $this->ShowTableHeader == 1)
			{
				for($i = 0; $i < $FieldCount; $i++)
				{
					$sort1 = "";
					$sort2 = "";
					if($this->AllowSorting == 1)
					{
						if($i == intval($SortField) - 1 || $i == $SortFieldNumeric - 1)
						{
							$SortDirectionInverse = ($SortDirection == "asc" ? "desc" : "asc");
							$sort1 = "<a href='javascript: document.myform.SortDirection.value=\"$SortDirectionInverse\"; document.myform.SortField.value = " . ($i + 1) . "; document.myform.submit();' class=TableHeader>";
							$sort1 .= "<img src=$SortDirectionInverse.gif border=0 width=11 height=11 hspace=3>";
						}
						else
						{
							$sort1 = "<a href='javascript: document.myform.SortDirection.value=\"asc\"; document.myform.SortField.value = " . ($i + 1) . "; document.myform.submit();' class=TableHeader>";
						}
						$sort2 = "</a>";
					}
					$this->HTML .= "\t<td valign=top nowrap width='" . ($this->ColWidth[$i] ? $this->ColWidth[$i] : 100) . "' class=TableHeader><div class=TableHeader>" . $sort1 . mysql_field_name($TempFResult, $i) . $sort2 . "</div></td>\n";
				}
			}
			else
			{
				// a row template is in use: a sort-by drop-down instead of the headers
				$this->HTML .= "\t<td valign=top class=TableHeader colspan=$FieldCount><div class=TableHeader>";
				if($this->AllowSorting == 1)
				{
					$sortCombo = new Combo;
					$sortCombo->ListItem[] = "";
					$sortCombo->ListData[] = "";
					for($i = 0; $i < $FieldCount; $i++)
					{
						$sortCombo->ListItem[] = mysql_field_name($TempFResult, $i);
						$sortCombo->ListData[] = $i + 1;
					}
					$sortCombo->SelectName = "FieldsList";
					$sortCombo->SelectedData = (is_numeric($SortField) ? $SortField : $SortFieldNumeric);
					$sortCombo->Class = "TableBody";
					$sortCombo->SelectedClass = "TableBodySelected";
					$sortCombo->Render();
					$sortCombo->HTML = str_replace("<select ", "<select onChange=\"document.myform.SortDirection.value='$SortDirection'; document.myform.SortField.value=document.myform.FieldsList.value; document.myform.submit();\" ", $sortCombo->HTML);
					
					$sortLink = "";
					if($SortField != "")
					{
						$SortDirectionInverse = ($SortDirection == "asc" ? "desc" : "asc");
						$sortLink = "<a href=\"javascript: document.myform.SortDirection.value='$SortDirectionInverse'; document.myform.SortField.value='$SortField'; document.myform.submit();\" class=TableHeader><img src=$SortDirectionInverse.gif border=0 width=11 height=11 hspace=3></a>";
					}
					$this->HTML .= $Translation["order by"] . " " . $sortCombo->HTML . " " . $sortLink;
				}
				$this->HTML .= "</div></td>\n";
			}
			
			// display vertical scroll bar ...
			if($RecordCount && $this->AllowNavigation && $RecordCount > $this->RecordsPerPage)
			{
				// a first record past the end moves back by whole pages, at once
				if($FirstRecord > $RecordCount)
				{
					$FirstRecord = $RecordCount - (($RecordCount - $FirstRecord) % $this->RecordsPerPage + $this->RecordsPerPage) % $this->RecordsPerPage;
				}
				if($FirstRecord == "" || $FirstRecord < 1)
				{
					$FirstRecord = 1;
				}
				
				$ScrollBox = $this->RecordsPerPage / $RecordCount * $this->DataHeight;
				if($ScrollBox > $this->DataHeight)
				{
					$ScrollBox = $this->DataHeight;
				}
				
				// a click on the scroll bar lies within the bar
				if($ScrollUp_y != "")
				{
					$FirstRecord = floor(min(max($ScrollUp_y, 0), $this->DataHeight) / $ScrollBox) * $this->RecordsPerPage + 1;
				}
				elseif($ScrollDn_y != "")
				{
					$OldScrollUp = floor(($FirstRecord - 1) / $RecordCount * $this->DataHeight);
					$FirstRecord = floor((min(max($ScrollDn_y, 0), $this->DataHeight) + $ScrollBox + $OldScrollUp) / $ScrollBox) * $this->RecordsPerPage + 1;
				}
				elseif($Previous_x != "")
				{
					$FirstRecord -= $this->RecordsPerPage;
					if($FirstRecord <= 0)
					{
						$FirstRecord = 1;
					}
				}
				elseif($Next_x != "")
				{
					$FirstRecord += $this->RecordsPerPage;
					if($FirstRecord > $RecordCount)
					{
						$FirstRecord = $RecordCount - ($RecordCount % $this->RecordsPerPage) + 1;
					}
					if($FirstRecord > $RecordCount)
					{
						$FirstRecord = $RecordCount - $this->RecordsPerPage + 1;
					}
					if($FirstRecord <= 0)
					{
						$FirstRecord = 1;
					}
				}
				
				// the page starts at a record that exists
				if($FirstRecord > $RecordCount)
				{
					$FirstRecord = $RecordCount - (($RecordCount - $FirstRecord) % $this->RecordsPerPage + $this->RecordsPerPage) % $this->RecordsPerPage;
				}
				
				$this->HTML .= "\t<td rowspan=1000 valign=top width=15></td>";
			}
			elseif($RecordCount)
			{
				// no paging: every record on one page
				$FirstRecord = 1;
				$this->RecordsPerPage = $RecordCount;
			}
			elseif($FirstRecord > 1)
			{
				// no records: the first page
				$FirstRecord = 1;
			}
			
			$this->HTML .= "\n\t</tr>\n";
		}
		
		// hidden fields that carry the state of the page
		$this->HTML .= "<input name=SortField value='" . htmlspecialchars($SortField, ENT_QUOTES, 'windows-1252') . "' type=hidden>";
		$this->HTML .= "<input name=SelectedID value='" . htmlspecialchars($SelectedID, ENT_QUOTES, 'windows-1252') . "' type=hidden>";
		$this->HTML .= "<input name=SortDirection type=hidden value='" . htmlspecialchars($SortDirection, ENT_QUOTES, 'windows-1252') . "'>";
		$this->HTML .= "<input name=FirstRecord type=hidden value='" . htmlspecialchars($FirstRecord, ENT_QUOTES, 'windows-1252') . "'>";
		
		if(!$this->HideTableView)
		{
			// filter fields
			$FiltersCode = "";
			for($i = 1; $i <= (20 * $FiltersPerGroup); $i++) // Number of filters allowed
			{
				if($i % $FiltersPerGroup == 1 && $i != 1 && $FilterAnd[$i] != "")
				{
					$FiltersCode .= "<input name=FilterAnd[$i] value='" . htmlspecialchars($FilterAnd[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
				}
				if($FilterField[$i] != "" && $FilterOperator[$i] != "" && $FilterValue[$i] != "")
				{
					if(!strstr($FiltersCode, "<input name=FilterAnd[$i] value="))
					{
						$FiltersCode .= "<input name=FilterAnd[$i] value='" . htmlspecialchars($FilterAnd[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
					}
					$FiltersCode .= "<input name=FilterField[$i] value='" . htmlspecialchars($FilterField[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
					$FiltersCode .= "<input name=FilterOperator[$i] value='" . htmlspecialchars($FilterOperator[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
					$FiltersCode .= "<input name=FilterValue[$i] value='" . htmlspecialchars($FilterValue[$i], ENT_QUOTES, 'windows-1252') . "' type=hidden>\n";
				}
			}
			$this->HTML .= $FiltersCode;
			
			// highlight the row under the mouse
			$this->HTML = "<script language=\"javaScript\">\n<!--\nfunction colorize(item, color)\n{\n\tfor(var i = 0; i < item.childNodes.length; i++)\n\t{\n\t\tif(item.childNodes[i].nodeName == 'TD')\n\t\t{\n\t\t\titem.childNodes[i].style.backgroundColor = color;\n\t\t\tif(item.childNodes[i].childNodes.length > 0 && item.childNodes[i].childNodes[0].nodeName == 'A')\n\t\t\t{\n\t\t\t\titem.childNodes[i].childNodes[0].style.backgroundColor = color;\n\t\t\t}\n\t\t}\n\t}\n}\n//-->\n</script>" . $this->HTML;
			
			// display records
			if($RecordCount)
			{
				$i = $FirstRecord;
				$result = sql($this->Query . " limit " . ($i-1) . ",$this->RecordsPerPage");
				while(($row = mysql_fetch_row($result)) && ($i < ($FirstRecord + $this->RecordsPerPage)))
				{
					// the key as a JavaScript string in a javascript: address, which the browser percent-decodes before it runs
					$SelectionLink = "<a href='javascript:document.myform.SelectedID.value=\"" . htmlspecialchars(str_replace("%", "%25", addcslashes($row[$FieldCount], "\0..\37'\"\\")), ENT_QUOTES, 'windows-1252') . "\"; document.myform.submit();' class=";
					$this->HTML .= "\t<tr onMouseOver=\"colorize(this, '" . $this->HighlightColor . "');\" onMouseOut=\"colorize(this, '');\">";
					
					if($rowTemplate != "")
					{
						// template mode
						if($SelectedID == $row[$FieldCount])
						{
							$rowTemp = $selrowTemplate;
							$class = "TableBodySelected";
						}
						else
						{
							$rowTemp = $rowTemplate;
							$class = "TableBody";
						}
						if($this->AllowSelection == 1)
						{
							$rowTemp = str_replace("<%%SELECT%%>", $SelectionLink . $class . " style=\"padding:0px;\">", $rowTemp);
							$rowTemp = str_replace("<%%ENDSELECT%%>", "</a>", $rowTemp);
						}
						else
						{
							$rowTemp = str_replace("<%%SELECT%%>", "", $rowTemp);
							$rowTemp = str_replace("<%%ENDSELECT%%>", "", $rowTemp);
						}
						for($j = 0; $j < $FieldCount; $j++)
						{
							$rowTemp = str_replace("<%%FIELD_$j%%>", ($HTMLColumn[$j] ? $row[$j] : HTMLEscape($row[$j])), $rowTemp);
						}
						$this->HTML .= $rowTemp;
					}
					else
					{
						// cell mode
						for($j = 0; $j < $FieldCount; $j++)
						{
							$FieldType = mysql_field_type($result, $j);
							$IsNumeric = (stristr($FieldType, "int") || stristr($FieldType, "float") || stristr($FieldType, "decimal") || stristr($FieldType, "numeric") || stristr($FieldType, "real") || stristr($FieldType, "double"));
							if($SelectedID == $row[$FieldCount])
							{
								$class = ($IsNumeric ? "TableBodySelectedNumeric" : "TableBodySelected");
							}
							else
							{
								$class = ($IsNumeric ? "TableBodyNumeric" : "TableBody");
							}
							$FieldValue = ($HTMLColumn[$j] ? $row[$j] : HTMLEscape($row[$j]));
							
							$this->HTML .= "<td valign=top class=$class><div class=$class>&nbsp;";
							if($this->AllowSelection == 1)
							{
								$this->HTML .= $SelectionLink . $class . " style=\"padding:0px;\">" . $FieldValue . "</a>";
							}
							else
							{
								$this->HTML .= $FieldValue;
							}
							$this->HTML .= "&nbsp;</div></td>";
						}
					}
					
					$this->HTML .= "</tr>\n";
					$i++;
				}
				$i--;
			}
			else
			{
				$i = 0;
			}
			
			// empty record slots keep the height of a short page
			if($this->ShowRecordSlots)
			{
				for($j = $i + 1; $j < ($FirstRecord + $this->RecordsPerPage); $j++)
				{
					$this->HTML .= "\n\t<tr><td colspan=$FieldCount><div class=TableBody>&nbsp;</div></td></tr>";
				}
			}
			
			// display footer
			if($Print_x == "")
			{
				$pagesMenu = "";
				if($RecordCount > $this->RecordsPerPage)
				{
					$pagesMenu = "<td align=center><div class=TableFooter>" . $Translation["go to page"] . " <select onChange='document.myform.FirstRecord.value=(this.value * " . $this->RecordsPerPage . " + 1); document.myform.submit();'>";
					for($j = 0; $j < ceil($RecordCount / $this->RecordsPerPage); $j++)
					{
						$pagesMenu .= "<option value='$j'" . ($FirstRecord == ($j * $this->RecordsPerPage + 1) ? " selected" : "") . ">" . ($j + 1) . "</option>";
					}
					$pagesMenu .= "</select></div></td>";
				}
				$this->HTML .= "\n\t<tr><td colspan=$FieldCount><table width=100%><tr class=TableFooter><td align=left><input type=image name=Previous src=previousPage.gif></td><td align=center><div class=TableFooter>" . $Translation["records x to y of z"] . "</td>" . $pagesMenu . "<td align=right><input type=image name=Next src=nextPage.gif></div></td></tr></table></td></tr>";
			}
			else
			{
				$this->HTML .= "\n\t<tr><td colspan=$FieldCount><div class=TableFooter>" . $Translation["records x to y of z"] . "</div></td></tr>";
			}
			
			$this->HTML = str_replace("<FirstRecord>", $FirstRecord, $this->HTML);
			$this->HTML = str_replace("<LastRecord>", $i, $this->HTML);
			$this->HTML = str_replace("<RecordCount>", $RecordCount, $this->HTML);
		}
		
		// display details form
		if($this->AllowSelection)
		{
			$this->HTML .= "\n\t<tr><td align=center colspan=" . ($FieldCount + 1) . "> " . form($SelectedID, $this->AllowUpdate, (($this->HideTableView && $SelectedID) ? 0 : $this->AllowInsert), $this->AllowDelete) . " </td></tr>";
		}
		
		$this->HTML .= "</table>\n";
		$this->HTML .= "</form></center>";
		
		@mysql_close();
		
		// Das ist Alles!
	}
}


///////////////////////////////////////////////////////////////
///////////////////////////////////////////////////////////////


class DataCombo
{
	var $Query,             // Only the first two fields of the query are used.
		$Class,
		$Style,
		$SelectName,
		$FirstItem,         // if not empty, the first item in the combo with value of ''
		$SelectedData,      // compared with the first field of each row to select an item
		$ItemCount,         // this is returned. It indicates the number of items in the combo.
		$HTML,              // the resulting output HTML code to use
		$MatchText;         // will store the text value of the matching item.
	
	function DataCombo()     // Constructor function
	{
		$this->FirstItem = "";
		$this->HTML = "";
		$this->Class = "Option";
		$this->MatchText = "";
	}
	
	function __construct()
	{
		$this->DataCombo();
	}
	
	function Render()
	{
		$result = sql($this->Query);
		$this->ItemCount = mysql_num_rows($result);
		
		$this->HTML .= "<select name='$this->SelectName' class='$this->Class' style='$this->Style'>";
		if($this->FirstItem != "")
		{
			$this->HTML .= "\n\t<option value=''>" . $this->FirstItem . "</option>";
			$this->ItemCount++;
		}
		
		while($row = mysql_fetch_row($result))
		{
			if($row[0] == $this->SelectedData)
			{
				$sel = "selected class=SelectedOption";
				$this->MatchText = HTMLEscape($row[1]);
			}
			else
			{
				$sel = "";
			}
			$this->HTML .= "\n\t<option value='" . htmlspecialchars($row[0], ENT_QUOTES, 'windows-1252') . "' " . $sel . ">" . HTMLEscape($row[1]) . "</option>";
		}
		$this->HTML .= "\n</select>";
	}
}


///////////////////////////////////////////////////////////////
///////////////////////////////////////////////////////////////


class Combo
{
	// The Combo class renders a drop down combo
	// filled with elements in an array ListItem[]
	// and associates each element with data from
	// an array ListData[], and optionally selects
	// one of the items.
	
	var $ListItem,          // array of items in the combo
		$ListData,          // array of items data values
		$Class,
		$SelectedClass,
		$Style,
		$SelectName,
		$SelectedData,
		$ListType,          // 0: drop down combo, 1: list box, 2: radio buttons
		$ListBoxHeight,     // if ListType=1, this is the height of the list box
		$RadiosPerLine,     // if ListType=2, this is the number of options per line
		$AllowNull,
		$HTML;              // the resulting output HTML code to use
	
	function Combo()     // Constructor function
	{
		$this->Class = "Option";
		$this->SelectedClass = "SelectedOption";
		$this->HTML = "";
		$this->ListType = 0;
		$this->ListBoxHeight = 10;
		$this->RadiosPerLine = 1;
		$this->AllowNull = true;
	}
	
	function __construct()
	{
		$this->Combo();
	}
	
	function Render()
	{
		global $Translation;
		
		$ArrayCount = count($this->ListItem);
		if($ArrayCount > count($this->ListData))
		{
			$this->HTML .= "Invalid Class Definition";
			return 0;
		}
		
		if($this->ListType != 2)
		{
			// drop down combo or list box
			$this->HTML .= "<select name='$this->SelectName' class='$this->Class' style='$this->Style'";
			if($this->ListType == 1)
			{
				$this->HTML .= " size=\"" . ($this->ListBoxHeight < $ArrayCount ? $this->ListBoxHeight : $ArrayCount + ($this->AllowNull ? 1 : 0)) . "\"";
			}
			$this->HTML .= ">";
			
			if($this->AllowNull)
			{
				$this->HTML .= "\n\t<option value=''>&nbsp;</option>";
			}
			
			for($i = 0; $i < $ArrayCount; $i++)
			{
				if($this->SelectedData == $this->ListData[$i])
				{
					$sel = "selected class='$this->SelectedClass'";
				}
				else
				{
					$sel = "class=$this->Class";
				}
				$this->HTML .= "\n\t<option value=\"" . $this->ListData[$i] . "\" " . $sel . ">" . $this->ListItem[$i] . "</option>";
			}
			$this->HTML .= "</select>";
		}
		else
		{
			// radio buttons
			$separator = "&nbsp; &nbsp; &nbsp; &nbsp;";
			$position = 0;
			if($this->AllowNull)
			{
				$position++;
				$this->HTML .= "<input type=radio name=\"$this->SelectName\" value=\"\" " . ($this->SelectedData == "" ? "checked" : "") . "> " . $Translation["none"];
				$this->HTML .= ($this->RadiosPerLine == 1 ? "<br>" : $separator);
			}
			
			for($i = 0; $i < $ArrayCount; $i++)
			{
				$position++;
				if($this->SelectedData == $this->ListData[$i])
				{
					$sel = "checked class='$this->SelectedClass'";
				}
				else
				{
					$sel = "class=$this->Class";
				}
				$this->HTML .= "<input type=radio name=\"$this->SelectName\" value=\"" . $this->ListData[$i] . "\" " . $sel . "> " . $this->ListItem[$i];
				$this->HTML .= ($position % $this->RadiosPerLine == 0 ? "<br>" : $separator);
			}
		}
		
		return 1;
	}
}


///////////////////////////////////////////////////////////////
///////////////////////////////////////////////////////////////


class DateCombo
{
	// renders a date combo with a pre-selected date
	
	var $DateFormat,        // any combination of y,m,d
		$DefaultDate,       // format: yyyy-mm-dd
		$MinYear,
		$MaxYear,
		$MonthNames,        // comma-separated list of month names
		$NamePrefix,        // will be used in the HTML name prop as a prefix to "Year", "Month", "Day"
		$CSSOptionClass,
		$CSSSelectedClass;
	
	function DateCombo()
	{
		// set default values
		$this->DateFormat = "ymd";
		$this->DefaultDate = "";
		$this->MinYear = 1900;
		$this->MaxYear = 2100;
		$this->MonthNames = "January,February,March,April,May,June,July,August,September,October,November,December";
		$this->NamePrefix = "Date";
		$this->CSSOptionClass = "";
		$this->CSSSelectedClass = "";
	}
	
	function __construct()
	{
		$this->DateCombo();
	}
	
	function GetHTML($readOnly=false)
	{
		// years
		$years = new Combo;
		for($i = $this->MinYear; $i <= $this->MaxYear; $i++)
		{
			$years->ListItem[] = $i;
			$years->ListData[] = $i;
		}
		$years->SelectName = $this->NamePrefix . "Year";
		$years->SelectedData = substr($this->DefaultDate, 0, 4);
		$years->Class = $this->CSSOptionClass;
		$years->SelectedClass = $this->CSSSelectedClass;
		$years->Render();
		$y = ($readOnly ? substr($this->DefaultDate, 0, 4) : $years->HTML);
		
		// months
		$months = new Combo;
		$months->ListItem = explode(",", $this->MonthNames);
		for($i = 1; $i <= 12; $i++)
		{
			$months->ListData[] = sprintf("%02d", $i);
		}
		$months->SelectName = $this->NamePrefix . "Month";
		$months->SelectedData = substr($this->DefaultDate, 5, 2);
		$months->Class = $this->CSSOptionClass;
		$months->SelectedClass = $this->CSSSelectedClass;
		$months->Render();
		$m = ($readOnly ? substr($this->DefaultDate, 5, 2) : $months->HTML);
		
		// days
		$days = new Combo;
		for($i = 1; $i <= 31; $i++)
		{
			$days->ListItem[] = $i;
			$days->ListData[] = sprintf("%02d", $i);
		}
		$days->SelectName = $this->NamePrefix . "Day";
		$days->SelectedData = substr($this->DefaultDate, 8, 2);
		$days->Class = $this->CSSOptionClass;
		$days->SelectedClass = $this->CSSSelectedClass;
		$days->Render();
		$d = ($readOnly ? substr($this->DefaultDate, 8, 2) : $days->HTML);
		
		$p1 = substr($this->DateFormat, 0, 1);
		$p2 = substr($this->DateFormat, 1, 1);
		$p3 = substr($this->DateFormat, 2, 1);
		return "${$p1}/${$p2}/${$p3}";
	}
}


///////////////////////////////////////////////////////////////
///////////////////////////////////////////////////////////////


// escapes a value for HTML. A browser posts a letter that windows-1252
// cannot carry as its numeric character reference (&#321;), and the table
// keeps that text: such a reference passes as it is, so that the page shows
// the letter; markup, quotes, a lone & and a named entity are escaped.
function HTMLEscape($value)
{
	return preg_replace('/&amp;(#([0-9]+|[xX][0-9a-fA-F]+);)/', '&$1', htmlspecialchars($value, ENT_QUOTES, 'windows-1252'));
}

?>